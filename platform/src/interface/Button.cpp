#include <Button.h>

#include <Message.h>
#include <Window.h>

#include "ControlLook.h"
#include "WindowPrivate.h"

#include <cmath>

// How the window reaches its default button.
struct ButtonHooks {
	static BView* View(BButton* button) { return button; }
	static void MakeDefault(BButton* button, bool isDefault)
	{
		if (button->fDrawAsDefault == isDefault)
			return;
		button->fDrawAsDefault = isDefault;
		button->Invalidate();
	}
};

namespace {

const BPrivate::DefaultButtonHooks kHooks = {&ButtonHooks::View, &ButtonHooks::MakeDefault};

struct HookRegistration {
	HookRegistration() { BPrivate::set_default_button_hooks(&kHooks); }
} sHookRegistration;

} // namespace

BButton::BButton(BRect frame, const char* name, const char* label, BMessage* message,
				 uint32 resizingMode, uint32 flags)
	: BControl(frame, name, label, message, resizingMode, flags | B_WILL_DRAW),
	  fDrawAsDefault(false), fWasDefault(false)
{}

BButton::BButton(BMessage* archive) : BControl(archive), fDrawAsDefault(false), fWasDefault(false)
{
	bool isDefault;
	if (archive->FindBool("_default", &isDefault) == B_OK)
		fDrawAsDefault = isDefault;
}

BButton::~BButton() {}

BArchivable*
BButton::Instantiate(BMessage* archive)
{
	if (!validate_instantiation(archive, "BButton"))
		return NULL;
	return new BButton(archive);
}

status_t
BButton::Archive(BMessage* archive, bool deep) const
{
	status_t status = BControl::Archive(archive, deep);
	if (status == B_OK && IsDefault())
		status = archive->AddBool("_default", true);
	return status;
}

void
BButton::AttachedToWindow()
{
	BControl::AttachedToWindow();
	if (fDrawAsDefault)
		Window()->SetDefaultButton(this);
}

void
BButton::Draw(BRect)
{
	BRect bounds = Bounds();
	bool pressed = Value() == B_CONTROL_ON;
	BPrivate::draw_button_frame(this, bounds, pressed, IsDefault(), IsEnabled());
	const char* label = Label();
	if (label == NULL)
		return;
	float width = StringWidth(label);
	float x = std::floor(bounds.left + (bounds.Width() - width) / 2 + 0.5f);
	float y = BPrivate::centred_baseline(this, bounds.top, bounds.Height());
	if (pressed)
		y += 1;
	BPrivate::draw_label(this, label, BPoint(x, y), IsEnabled());
	if (IsFocus() && Window()->IsActive()) {
		font_height fh;
		GetFontHeight(&fh);
		BPrivate::draw_focus_line(this, x, x + width, y + std::ceil(fh.descent));
	}
}

void
BButton::KeyDown(const char* bytes, int32 numBytes)
{
	if (numBytes == 1 && (bytes[0] == B_SPACE || bytes[0] == B_ENTER)) {
		if (!IsEnabled())
			return;
		SetValue(B_CONTROL_ON);
		Invoke();
		return;
	}
	BControl::KeyDown(bytes, numBytes);
}

void
BButton::MouseDown(BPoint)
{
	if (!IsEnabled())
		return;
	SetValue(B_CONTROL_ON);
	SetTracking(true);
	SetMouseEventMask(B_POINTER_EVENTS, B_NO_POINTER_HISTORY);
}

void
BButton::MouseMoved(BPoint where, uint32, const BMessage*)
{
	if (!IsTracking())
		return;
	SetValue(Bounds().Contains(where) ? B_CONTROL_ON : B_CONTROL_OFF);
}

void
BButton::MouseUp(BPoint where)
{
	if (!IsTracking())
		return;
	SetTracking(false);
	if (Bounds().Contains(where))
		Invoke();
	else
		SetValue(B_CONTROL_OFF);
}

void
BButton::MakeDefault(bool isDefault)
{
	BWindow* window = Window();
	if (window == NULL) {
		fDrawAsDefault = isDefault;
		return;
	}
	if (isDefault)
		window->SetDefaultButton(this);
	else if (window->DefaultButton() == this)
		window->SetDefaultButton(NULL);
}

bool
BButton::IsDefault() const
{
	return fDrawAsDefault;
}

void
BButton::SetLabel(const char* label)
{
	BControl::SetLabel(label);
}

void
BButton::SetValue(int32 value)
{
	BControl::SetValue(value);
}

void
BButton::GetPreferredSize(float* width, float* height)
{
	const char* label = Label();
	float w = label != NULL ? StringWidth(label) : 0;
	if (width != NULL)
		*width = std::max(75.0f, std::ceil(w) + 20);
	if (height != NULL)
		*height = BPrivate::line_height(this) + 12;
}

status_t
BButton::Invoke(BMessage* message)
{
	// The message goes out while the button shows pressed, then it comes back up.
	status_t status = BControl::Invoke(message);
	SetValue(B_CONTROL_OFF);
	return status;
}
