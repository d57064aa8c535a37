#ifndef _IMAGE_H
#define _IMAGE_H

#include <OS.h>
#include <StorageDefs.h>

#include <sys/types.h>

typedef int32 image_id;

typedef enum {
	B_APP_IMAGE = 1,
	B_LIBRARY_IMAGE,
	B_ADD_ON_IMAGE,
	B_SYSTEM_IMAGE,
} image_type;

// The team of the caller.
#ifndef B_CURRENT_TEAM
#define B_CURRENT_TEAM 0
#endif

// An executable image loaded into a team: what a program learns about its own executable.
typedef struct {
	image_id id;
	image_type type;
	dev_t device;
	ino_t node;
	// The image's file, an absolute path.
	char name[B_PATH_NAME_LENGTH];
} image_info;

// The images of team (only B_CURRENT_TEAM or the caller's own team), one per call from
// *cookie = 0 on. The program's own executable (B_APP_IMAGE) is the only image listed: after it
// the call returns B_ENTRY_NOT_FOUND.
status_t get_next_image_info(team_id team, int32* cookie, image_info* info);

#endif
