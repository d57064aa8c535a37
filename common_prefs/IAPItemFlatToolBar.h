#ifndef MOZELT_IAP_ITEM_FLAT_TOOL_BAR_H
#define MOZELT_IAP_ITEM_FLAT_TOOL_BAR_H

#include <common_prefs/IAPItem.h>

inline constexpr char IAP_ITEM_NAME_FLAT_TOOL_BAR[] = "FlatToolBar";

// Whether toolbars are drawn flat (the default) or raised.
class TIAPItemFlatToolBar : public TIAPItem {
public:
	TIAPItemFlatToolBar();
	virtual ~TIAPItemFlatToolBar();

	virtual status_t MakeConfigurationView(BView** view, bool defaults);
	virtual status_t GetValue(BMessage* message, bool defaults) const;
	virtual status_t SetValue(const BMessage& message);
	virtual status_t GetBool(bool* value, bool defaults) const;
	virtual status_t SetBool(bool value);

private:
	bool mFlat;
};

#endif
