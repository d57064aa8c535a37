#include <Font.h>

#include "TextLayout.h"

#include <cstdio>
#include <cstring>

namespace {

void
copy_name(char* to, const char* from)
{
	snprintf(to, B_FONT_FAMILY_LENGTH + 1, "%s", from != nullptr ? from : "");
}

BFont
make_font(const char* family, const char* style, uint16 face)
{
	BFont font;
	font.SetFamilyAndStyle(family, style);
	font.SetFace(face);
	font.SetSize(12.0f);
	return font;
}

const BFont sPlainFont = make_font("DejaVu Sans", "Book", B_REGULAR_FACE);
const BFont sBoldFont = make_font("DejaVu Sans", "Bold", B_BOLD_FACE);
const BFont sFixedFont = make_font("DejaVu Sans Mono", "Book", B_REGULAR_FACE);

} // namespace

const BFont* be_plain_font = &sPlainFont;
const BFont* be_bold_font = &sBoldFont;
const BFont* be_fixed_font = &sFixedFont;

BFont::BFont()
	: fSize(12.0f), fShear(90.0f), fRotation(0.0f), fSpacing(B_BITMAP_SPACING),
	  fEncoding(B_UNICODE_UTF8), fFace(B_REGULAR_FACE), fFlags(0)
{
	// Built before the globals exist when a static font is made: take the plain face by name.
	copy_name(fFamily, "DejaVu Sans");
	copy_name(fStyle, "Book");
}

BFont::BFont(const BFont& font)
{
	*this = font;
}

BFont::BFont(const BFont* font)
{
	*this = font != nullptr ? *font : *be_plain_font;
}

BFont&
BFont::operator=(const BFont& font)
{
	if (this == &font)
		return *this;
	memcpy(fFamily, font.fFamily, sizeof(fFamily));
	memcpy(fStyle, font.fStyle, sizeof(fStyle));
	fSize = font.fSize;
	fShear = font.fShear;
	fRotation = font.fRotation;
	fSpacing = font.fSpacing;
	fEncoding = font.fEncoding;
	fFace = font.fFace;
	fFlags = font.fFlags;
	return *this;
}

status_t
BFont::SetFamilyAndStyle(const font_family family, const font_style style)
{
	if (family != nullptr && family[0] != '\0')
		copy_name(fFamily, family);
	if (style != nullptr && style[0] != '\0') {
		copy_name(fStyle, style);
		if (strstr(style, "Bold") != nullptr)
			fFace = B_BOLD_FACE | (fFace & B_ITALIC_FACE);
		else if (strstr(style, "Italic") != nullptr || strstr(style, "Oblique") != nullptr)
			fFace = B_ITALIC_FACE;
		else
			fFace = B_REGULAR_FACE;
	}
	return B_OK;
}

void
BFont::SetFamilyAndStyle(uint32 code)
{
	// Codes name the three system faces: 0 plain, 1 bold, 2 fixed.
	const BFont* source = code == 1 ? be_bold_font : code == 2 ? be_fixed_font : be_plain_font;
	SetFamilyAndStyle(source->fFamily, source->fStyle);
}

void
BFont::GetFamilyAndStyle(font_family* family, font_style* style) const
{
	if (family != nullptr)
		memcpy(*family, fFamily, sizeof(fFamily));
	if (style != nullptr)
		memcpy(*style, fStyle, sizeof(fStyle));
}

void
BFont::SetSize(float size)
{
	fSize = size;
}

float
BFont::Size() const
{
	return fSize;
}

void
BFont::SetShear(float shear)
{
	fShear = shear;
}

float
BFont::Shear() const
{
	return fShear;
}

void
BFont::SetRotation(float rotation)
{
	fRotation = rotation;
}

float
BFont::Rotation() const
{
	return fRotation;
}

void
BFont::SetSpacing(uint8 spacing)
{
	fSpacing = spacing;
}

uint8
BFont::Spacing() const
{
	return fSpacing;
}

void
BFont::SetEncoding(uint8 encoding)
{
	fEncoding = encoding;
}

uint8
BFont::Encoding() const
{
	return fEncoding;
}

void
BFont::SetFace(uint16 face)
{
	fFace = face;
	if ((face & B_BOLD_FACE) != 0 && (face & B_ITALIC_FACE) != 0)
		copy_name(fStyle, "Bold Oblique");
	else if ((face & B_BOLD_FACE) != 0)
		copy_name(fStyle, "Bold");
	else if ((face & B_ITALIC_FACE) != 0)
		copy_name(fStyle, "Oblique");
	else if ((face & B_REGULAR_FACE) != 0)
		copy_name(fStyle, "Book");
}

uint16
BFont::Face() const
{
	return fFace;
}

void
BFont::SetFlags(uint32 flags)
{
	fFlags = flags;
}

uint32
BFont::Flags() const
{
	return fFlags;
}

float
BFont::StringWidth(const char* string) const
{
	return BPrivate::text_width(*this, string, -1);
}

float
BFont::StringWidth(const char* string, int32 length) const
{
	return BPrivate::text_width(*this, string, length);
}

void
BFont::GetHeight(font_height* height) const
{
	if (height != nullptr)
		BPrivate::text_height(*this, height);
}

bool
BFont::operator==(const BFont& font) const
{
	return strcmp(fFamily, font.fFamily) == 0 && strcmp(fStyle, font.fStyle) == 0 &&
		   fSize == font.fSize && fShear == font.fShear && fRotation == font.fRotation &&
		   fSpacing == font.fSpacing && fEncoding == font.fEncoding && fFace == font.fFace &&
		   fFlags == font.fFlags;
}

bool
BFont::operator!=(const BFont& font) const
{
	return !(*this == font);
}

void
BFont::PrintToStream() const
{
	printf("BFont { %s, %s, size %.1f, face 0x%x }\n", fFamily, fStyle, double(fSize),
		   unsigned(fFace));
}
