#ifndef ZORVY_PAGE_LAYOUTS_H
#define ZORVY_PAGE_LAYOUTS_H

#include <Message.h>
#include <SupportDefs.h>
#include <beapi/MessageFormats.h>

// The view trees the three settings pages are built from, as the archives of the platform's
// views. Every text is empty: the pages label their controls when they are attached.

// The Input page: start-up input method, punctuation glyph holders, key-binding style.
BMessage make_input_layout();
// The Punctuation-conversion page: the master switch and its four options.
BMessage make_punctuation_convert_layout();
// The Input-assist page: three check boxes and the two blank-width menus.
BMessage make_input_assist_layout();

// One layout as the application's resources hold it.
struct PageLayout {
	int32 id;
	const char* name;
	// The flattened form the resource is written in.
	message_format format;
	BMessage (*make)();
};

inline constexpr type_code kPageLayoutType = 'ARCV';
extern const PageLayout kPageLayouts[3];

#endif
