#include <framework/ControlBindings.h>

#include <locale/Locale.h>
#include <util/AccLabel.h>
#include <util/UIHelpers.h>

#include <CheckBox.h>
#include <MenuField.h>
#include <Message.h>

#include <algorithm>

TControlBindings::TControlBindings() {}

TControlBindings::~TControlBindings() {}

void
TControlBindings::BindLabel(BView* view, const char* key, const char* accelerator,
							const char* suffixKey)
{
	if (view != NULL && key != NULL)
		mLabels.push_back({view, key, accelerator, suffixKey});
}

void
TControlBindings::BindCheckBox(BCheckBox* box, bool* field, uint32 what, deliver_func deliver)
{
	if (box == NULL || field == NULL)
		return;
	box->SetMessage(new BMessage(what));
	mRows.push_back({box, NULL, field, NULL, what, NULL, deliver});
}

void
TControlBindings::BindMenuField(BMenuField* menuField, int32* field, uint32 what,
								const char* valueName, deliver_func deliver)
{
	if (menuField == NULL || field == NULL || valueName == NULL)
		return;
	mRows.push_back({NULL, menuField, NULL, field, what, valueName, deliver});
}

void
TControlBindings::SetLabels(const std::string& accFormat) const
{
	for (const Label& label : mLabels) {
		// Copied at once: the catalogue's text lives only until it is next reloaded.
		std::string text = gLocale.GetString(label.key);
		if (label.accelerator != NULL)
			text = merge_accelerator_key(accFormat, label.accelerator, text);
		if (label.suffixKey != NULL)
			text += gLocale.GetString(label.suffixKey);
		set_view_label(label.view, text.c_str());
	}
}

void
TControlBindings::UpdateCompos() const
{
	for (const Row& row : mRows) {
		if (row.box != NULL)
			row.box->SetValue(*row.flag ? B_CONTROL_ON : B_CONTROL_OFF);
		else
			mark_mfield_mitem(row.menuField, *row.value);
	}
}

bool
TControlBindings::Take(const BMessage& message) const
{
	std::vector<deliver_func> deliveries;
	bool bound = false;
	for (const Row& row : mRows) {
		if (row.what != message.what)
			continue;
		bound = true;
		if (row.box != NULL) {
			*row.flag = row.box->Value() != B_CONTROL_OFF;
		} else {
			// A choice without its value changes nothing and delivers nothing.
			int32 value = 0;
			if (message.FindInt32(row.valueName, &value) != B_OK)
				continue;
			*row.value = value;
		}
		if (row.deliver != NULL &&
			std::find(deliveries.begin(), deliveries.end(), row.deliver) == deliveries.end())
			deliveries.push_back(row.deliver);
	}
	for (deliver_func deliver : deliveries)
		deliver();
	return bound;
}
