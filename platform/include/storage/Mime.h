#ifndef _MIME_H
#define _MIME_H

#include <MimeType.h>

#endif
