#ifndef MOZELT_IAP_ITEM_ACC_KEY_FORMAT_H
#define MOZELT_IAP_ITEM_ACC_KEY_FORMAT_H

#include <common_prefs/IAPItem.h>

class BMenu;

inline constexpr char IAP_ITEM_NAME_ACC_KEY_FORMAT[] = "AccKeyFormat2";

// The way accelerator keys are written into labels ("(a)" after the label by default). Only
// the application whose component the common preferences window shows writes the file; the
// others follow the change in memory.
class TIAPItemAccKeyFormat : public TIAPItem {
public:
	TIAPItemAccKeyFormat();
	virtual ~TIAPItemAccKeyFormat();

	virtual status_t MakeConfigurationView(BView** view, bool defaults);
	virtual status_t GetValue(BMessage* message, bool defaults) const;
	virtual status_t SetValue(const BMessage& message);
	virtual status_t GetString(std::string* value, bool defaults) const;
	virtual status_t SetString(const std::string& value);

	// Adds the menu entry that chooses format, marked when it is the value shown.
	status_t AddMItem(BMenu* menu, const char* format, bool defaults) const;

private:
	std::string mFormat;
};

#endif
