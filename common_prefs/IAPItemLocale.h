#ifndef MOZELT_IAP_ITEM_LOCALE_H
#define MOZELT_IAP_ITEM_LOCALE_H

#include <common_prefs/IAPItem.h>

inline constexpr char IAP_ITEM_NAME_LOCALE[] = "Locale";

// The interface language, as a four-character code such as "enUS" or "jaJP". A code takes
// effect only once it is complete, so typing one letter at a time changes nothing on the way.
class TIAPItemLocale : public TIAPItem {
public:
	TIAPItemLocale();
	virtual ~TIAPItemLocale();

	virtual status_t MakeConfigurationView(BView** view, bool defaults);
	virtual status_t GetValue(BMessage* message, bool defaults) const;
	virtual status_t SetValue(const BMessage& message);
	virtual status_t GetString(std::string* value, bool defaults) const;
	virtual status_t SetString(const std::string& value);

	// A language code as the catalogue takes it (valid_language_code).
	static bool IsValidValue(const std::string& code);

private:
	std::string mCode;
};

#endif
