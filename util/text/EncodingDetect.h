#ifndef MOZELT_ENCODING_DETECT_H
#define MOZELT_ENCODING_DETECT_H

#include <SupportDefs.h>
#include <UTF8.h>

// Line-break conventions told by detect_cr_type.
enum {
	CR_TYPE_LF = 0,
	CR_TYPE_CRLF = 1,
	CR_TYPE_CR = 2,
};

// Returned by detect_encoding for UTF-8, or when the text does not decide: no conversion.
inline constexpr int32 ENCODING_UTF8_OR_UNKNOWN = -1;

// The line breaks of a NUL-terminated text: CR_TYPE_CR when carriage returns outnumber line
// feeds, CR_TYPE_CRLF when both counts are equal and not zero, else CR_TYPE_LF.
int32 detect_cr_type(const char* text);

// Which Japanese encoding text is in: B_SJIS_CONVERSION, B_EUC_CONVERSION, B_JIS_CONVERSION or
// ENCODING_UTF8_OR_UNKNOWN. length 0 means up to the terminating NUL. At most examineAtMost
// bytes are looked at; from byte decideAfter on, the first clear lead of the scores decides.
// jisFlag, when given, becomes 1 for text that uses the escapes ESC K or ESC H, else 0.
int32 detect_encoding(const char* text, int32 length, int32* jisFlag, int32 decideAfter,
					  int32 examineAtMost);

// The encoding whose score is strictly above both others, into encoding (UTF-8, Shift JIS or
// EUC-JP), and B_OK; B_ERROR on a tie for the top, leaving encoding alone.
status_t detect_encoding_sub(int32 utf8Score, int32 sjisScore, int32 eucScore, int32* encoding);

#endif
