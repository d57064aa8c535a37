#include <View.h>

#include <Message.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "ArchiveChecks.h"
#include "UIColorPrivate.h"

namespace {

// The archives whose "_managed_archivable" lists the views being rebuilt refer to by token.
thread_local std::vector<const BMessage*> tManagedArchives;

int32
pack_color(rgb_color color)
{
	return int32((uint32(color.red) << 24) | (uint32(color.green) << 16) |
				 (uint32(color.blue) << 8) | uint32(color.alpha));
}

rgb_color
unpack_color(int32 value)
{
	uint32 v = uint32(value);
	return make_color(uint8(v >> 24), uint8(v >> 16), uint8(v >> 8), uint8(v));
}

struct Size {
	float width;
	float height;
};

struct Alignment {
	int32 horizontal;
	int32 vertical;
};

} // namespace

BView::BView(BMessage* archive) : BHandler(archive)
{
	BRect frame(0, 0, -1, -1);
	if (archive->FindRect("_frame", &frame) != B_OK || !BPrivate::archived_frame(frame))
		frame = BRect(0, 0, -1, -1);
	int32 resizingMode = 0;
	archive->FindInt32("_resize_mode", &resizingMode);
	int32 flags = 0;
	archive->FindInt32("_flags", &flags);
	_InitData(frame, Name(), uint32(resizingMode), uint32(flags));
	_ReadArchive(archive);
	_AddChildrenFromArchive(archive);
}

void
BView::_ReadArchive(BMessage* archive)
{
	int32 mask;
	if (archive->FindInt32("_evmask", 0, &mask) == B_OK) {
		int32 options = 0;
		archive->FindInt32("_evmask", 1, &options);
		SetEventMask(uint32(mask), uint32(options));
	}

	const char* family;
	const char* style;
	if (archive->FindString("_fname", 0, &family) == B_OK &&
		archive->FindString("_fname", 1, &style) == B_OK) {
		BFont font(fFont);
		font.SetFamilyAndStyle(family, style);
		float size;
		if (archive->FindFloat("_fflt", 0, &size) == B_OK && size > 0 &&
			BPrivate::archived_length(size, 10000.0f))
			font.SetSize(size);
		float shear;
		if (archive->FindFloat("_fflt", 1, &shear) == B_OK && shear >= 45.0f && shear <= 135.0f)
			font.SetShear(shear);
		float rotation;
		if (archive->FindFloat("_fflt", 2, &rotation) == B_OK && rotation >= 0.0f &&
			rotation <= 360.0f)
			font.SetRotation(rotation);
		SetFont(&font);
	}

	int32 color;
	if (archive->FindInt32("_color", 0, &color) == B_OK)
		SetHighColor(unpack_color(color));
	if (archive->FindInt32("_color", 1, &color) == B_OK)
		SetLowColor(unpack_color(color));
	if (archive->FindInt32("_color", 2, &color) == B_OK)
		SetViewColor(unpack_color(color));

	for (int32 i = 0; i < 3; i++) {
		int32 which;
		if (archive->FindInt32("_uicolor", i, &which) != B_OK ||
			!BPrivate::is_known_color_which(which))
			continue;
		float tint = B_NO_TINT;
		if (archive->FindFloat("_uitint", i, &tint) != B_OK || !std::isfinite(tint))
			tint = B_NO_TINT;
		if (i == 0)
			SetHighUIColor(color_which(which), tint);
		else if (i == 1)
			SetLowUIColor(color_which(which), tint);
		else
			SetViewUIColor(color_which(which), tint);
	}

	float penSize;
	if (archive->FindFloat("_psize", &penSize) == B_OK)
		SetPenSize(penSize);
	BPoint pen;
	if (archive->FindPoint("_ploc", &pen) == B_OK)
		MovePenTo(pen);
	int16 alphaSource;
	int16 alphaFunction;
	if (archive->FindInt16("_blend", 0, &alphaSource) == B_OK &&
		archive->FindInt16("_blend", 1, &alphaFunction) == B_OK)
		SetBlendingMode(source_alpha(alphaSource), alpha_function(alphaFunction));
	int32 mode;
	if (archive->FindInt32("_dmod", &mode) == B_OK)
		SetDrawingMode(drawing_mode(mode));
	int16 showLevel;
	if (archive->FindInt16("_show", &showLevel) == B_OK && showLevel > 0)
		fShowLevel = showLevel;
}

void
BView::_AddChildrenFromArchive(BMessage* archive)
{
	bool managed = false;
	bool opened = archive->FindBool("_managed_archive", &managed) == B_OK && managed;
	if (opened)
		tManagedArchives.push_back(archive);

	type_code type;
	int32 count = 0;
	if (archive->GetInfo("_views", &type, &count) == B_OK) {
		for (int32 i = 0; i < count; i++) {
			BMessage child;
			if (type == B_MESSAGE_TYPE) {
				if (archive->FindMessage("_views", i, &child) != B_OK)
					continue;
			} else if (type == B_INT32_TYPE && !tManagedArchives.empty()) {
				// A token: 0 is the archive's own object, -42 no object, n the (n-1)th
				// "_managed_archivable" of the archive that opened the session.
				int32 token;
				if (archive->FindInt32("_views", i, &token) != B_OK || token <= 0)
					continue;
				if (tManagedArchives.back()->FindMessage("_managed_archivable", token - 1,
														 &child) != B_OK)
					continue;
			} else {
				continue;
			}
			BArchivable* object = instantiate_object(&child);
			BView* view = dynamic_cast<BView*>(object);
			if (view != NULL)
				AddChild(view);
			else
				delete object;
		}
	}

	if (opened)
		tManagedArchives.pop_back();
}

status_t
BView::Archive(BMessage* archive, bool deep) const
{
	status_t status = BHandler::Archive(archive, deep);
	if (status == B_OK)
		status = _ArchiveState(archive);
	if (deep) {
		for (auto it = fChildren.begin(); status == B_OK && it != fChildren.end(); ++it) {
			BMessage childArchive;
			status = (*it)->Archive(&childArchive, true);
			if (status == B_OK)
				status = archive->AddMessage("_views", &childArchive);
		}
	}
	return status;
}

status_t
BView::_ArchiveState(BMessage* archive) const
{
	status_t status = archive->AddRect("_frame", fFrame);
	if (status == B_OK)
		status = archive->AddInt32("_resize_mode", int32(ResizingMode()));
	if (status == B_OK)
		status = archive->AddInt32("_flags", int32(Flags()));
	if (fEventMaskSet) {
		if (status == B_OK)
			status = archive->AddInt32("_evmask", int32(fEventMask));
		if (status == B_OK)
			status = archive->AddInt32("_evmask", int32(fEventOptions));
	}
	if (fFontSet) {
		font_family family;
		font_style style;
		fFont.GetFamilyAndStyle(&family, &style);
		if (status == B_OK)
			status = archive->AddString("_fname", family);
		if (status == B_OK)
			status = archive->AddString("_fname", style);
		if (status == B_OK)
			status = archive->AddFloat("_fflt", fFont.Size());
		if (status == B_OK)
			status = archive->AddFloat("_fflt", fFont.Shear());
		if (status == B_OK)
			status = archive->AddFloat("_fflt", fFont.Rotation());
	}
	if (status == B_OK)
		status = archive->AddInt32("_color", pack_color(fHighColor));
	if (status == B_OK)
		status = archive->AddInt32("_color", pack_color(fLowColor));
	if (status == B_OK)
		status = archive->AddInt32("_color", pack_color(fViewColor));
	for (int i = 0; status == B_OK && i < 3; i++)
		status = archive->AddInt32("_uicolor", int32(fUIWhich[i]));
	for (int i = 0; status == B_OK && i < 3; i++)
		status = archive->AddFloat("_uitint", fUITint[i]);
	if (status == B_OK && fPenSizeSet)
		status = archive->AddFloat("_psize", fPenSize);
	if (status == B_OK && fPenLocationSet)
		status = archive->AddPoint("_ploc", fPenLocation);
	if (fBlendingSet) {
		if (status == B_OK)
			status = archive->AddInt16("_blend", int16(fSourceAlpha));
		if (status == B_OK)
			status = archive->AddInt16("_blend", int16(fAlphaFunction));
	}
	if (status == B_OK && fDrawingModeSet)
		status = archive->AddInt32("_dmod", int32(fDrawingMode));
	// No layout here: sizes and alignment are always "unset".
	Size unset = {-2.0f, -2.0f};
	for (int i = 0; status == B_OK && i < 3; i++)
		status = archive->AddData("BView:sizes", B_SIZE_TYPE, &unset, sizeof(unset));
	Alignment noAlignment = {-1, -1};
	if (status == B_OK)
		status = archive->AddData("BView:alignment", B_ALIGNMENT_TYPE, &noAlignment,
								  sizeof(noAlignment));
	if (status == B_OK)
		status = archive->AddInt16("_show", int16(fShowLevel > 0 ? fShowLevel : 0));
	return status;
}
