#ifndef _UTF8_H
#define _UTF8_H

// The platform's codes of text encodings, for the Japanese ones the system tells apart.
enum {
	B_SJIS_CONVERSION = 11,
	B_EUC_CONVERSION = 12,
	B_JIS_CONVERSION = 13,
};

#endif
