#include <widgets/ToolButton.h>

#include <Bitmap.h>
#include <InterfaceDefs.h>

#include <cstring>

#include <widgets/ToolBar.h>

namespace {

const float kMargin = 3;
const float kPadding = 6;

bool
has_text(const char* label)
{
	return label != NULL && label[0] != '\0';
}

// A new bitmap of the source's size and colour space, its pixels made by the given rule from
// the source's: blue, green, red, alpha in memory.
template <typename Rule>
void
convert_copy(const BBitmap* source, BBitmap** result, Rule rule)
{
	if (result == NULL)
		return;
	*result = NULL;
	if (source == NULL || !source->IsValid())
		return;
	BBitmap* copy = new BBitmap(source->Bounds(), source->ColorSpace());
	const uint8* from = static_cast<const uint8*>(source->Bits());
	uint8* to = static_cast<uint8*>(copy->Bits());
	int32 rows = int32(source->Bounds().Height()) + 1;
	int32 columns = int32(source->Bounds().Width()) + 1;
	for (int32 y = 0; y < rows; y++) {
		const uint8* in = from + y * source->BytesPerRow();
		uint8* out = to + y * copy->BytesPerRow();
		for (int32 x = 0; x < columns; x++)
			rule(in + x * 4, out + x * 4);
	}
	*result = copy;
}

void
set_pixel(uint8* pixel, const rgb_color& color)
{
	pixel[0] = color.blue;
	pixel[1] = color.green;
	pixel[2] = color.red;
	pixel[3] = color.alpha;
}

} // namespace

void
TToolButton::ConvertFilledCopy(const BBitmap* source, BBitmap** result, const rgb_color& color)
{
	convert_copy(source, result, [&color](const uint8* in, uint8* out) {
		if (in[3] == 0) {
			memcpy(out, in, 4);
			return;
		}
		set_pixel(out, color);
	});
}

void
TToolButton::ConvertTransparentCopy(const BBitmap* source, BBitmap** result, const rgb_color& color)
{
	convert_copy(source, result, [&color](const uint8* in, uint8* out) {
		if (in[3] == 0)
			set_pixel(out, color);
		else
			memcpy(out, in, 4);
	});
}

void
TToolButton::PreferredSize(float* width, float* height) const
{
	font_height metrics;
	GetFontHeight(&metrics);
	float imageHeight = mImages[0] != NULL ? mImages[0]->Bounds().bottom : 0;
	float textHeight = metrics.ascent + metrics.descent;
	*height = (textHeight > imageHeight ? textHeight : imageHeight) + kPadding;
	*width = mImages[0] != NULL ? mImages[0]->Bounds().right + kPadding : 0;
	if (has_text(Label()))
		*width += StringWidth(Label()) + kPadding;
}

float
TToolButton::MinWidth() const
{
	float width;
	float height;
	PreferredSize(&width, &height);
	return width;
}

void
TToolButton::ResizeToPreferred()
{
	float width;
	float height;
	PreferredSize(&width, &height);
	ResizeTo(width, height);
	CalcDrawPoints();
}

void
TToolButton::CalcDrawPoints()
{
	font_height metrics;
	GetFontHeight(&metrics);
	mImagePoint = BPoint(kMargin, kMargin);
	float textHeight = metrics.ascent + metrics.descent;
	mLabelPoint =
		BPoint(mDivider + kMargin, metrics.ascent + (Bounds().bottom - textHeight) * 0.5f);
	Invalidate();
}

int32
TToolButton::DrawingState() const
{
	int32 state;
	if (!IsEnabled() || (mOwnerBar != NULL && !mOwnerBar->IsEnabled()))
		state = TOOL_STATE_DISABLED_OFF;
	else
		state = mHot ? TOOL_STATE_HOT : TOOL_STATE_ENABLED_OFF;
	if (Value() != 0 || (mTracking && mHot))
		state += 1;
	if (state == 5)
		state = TOOL_STATE_ENABLED_ON;
	return state;
}

void
TToolButton::Draw(BRect)
{
	int32 state = DrawingState();
	bool sunken = state == TOOL_STATE_ENABLED_ON || state == TOOL_STATE_DISABLED_ON;
	rgb_color topLeft = sunken ? COLOR_DARK_BORDER : COLOR_BRIGHT_BORDER;
	rgb_color bottomRight = sunken ? COLOR_BRIGHT_BORDER : COLOR_DARK_BORDER;
	BPoint offset = sunken ? BPoint(1, 1) : BPoint(0, 0);
	rgb_color background;
	if (sunken)
		background = COLOR_ENABLED_DISABLED_ON_BG;
	else if (state == TOOL_STATE_HOT)
		background = COLOR_HOT_OFF_BG;
	else
		background = ui_color(B_PANEL_BACKGROUND_COLOR);
	bool disabled = state == TOOL_STATE_DISABLED_OFF || state == TOOL_STATE_DISABLED_ON;
	rgb_color labelColor = disabled ? COLOR_DISABLED_LABEL : COLOR_ENABLED_LABEL;
	bool border =
		sunken || state == TOOL_STATE_HOT || mOwnerBar == NULL || !mOwnerBar->IsButtonFlat();

	BRect bounds = Bounds();
	SetHighColor(background);
	FillRect(bounds);
	if (border) {
		SetHighColor(topLeft);
		StrokeLine(bounds.LeftBottom(), bounds.LeftTop());
		StrokeLine(bounds.LeftTop(), bounds.RightTop());
		SetHighColor(bottomRight);
		StrokeLine(bounds.RightTop(), bounds.RightBottom());
		StrokeLine(bounds.RightBottom(), bounds.LeftBottom());
	}
	if (mImages[state] != NULL)
		DrawBitmap(mImages[state], mImagePoint + offset);
	if (has_text(Label())) {
		SetHighColor(labelColor);
		SetLowColor(background);
		DrawString(Label(), mLabelPoint + offset);
	}
}
