#ifndef MOZELT_IAP_ITEM_H
#define MOZELT_IAP_ITEM_H

#include <SupportDefs.h>

#include <string>

class BMessage;
class BView;

// One named preference shared by all of the maker's applications. It knows its default, keeps
// its value in its own file of the shared settings folder, builds the small configuration view
// the common preferences window shows for it, and describes and takes its value in change
// messages. The operations a kind of item does not have answer B_ERROR.
class TIAPItem {
public:
	explicit TIAPItem(const char* name);
	virtual ~TIAPItem();

	// A new view showing the current value (or the default); the caller owns it.
	virtual status_t MakeConfigurationView(BView** view, bool defaults);
	virtual status_t GetValue(BMessage* message, bool defaults) const;
	virtual status_t SetValue(const BMessage& message);
	virtual status_t GetBool(bool* value, bool defaults) const;
	virtual status_t SetBool(bool value);
	virtual status_t GetString(std::string* value, bool defaults) const;
	virtual status_t SetString(const std::string& value);

	std::string Name() const;
	const char* AppSignatureRef() const;
	status_t SetAppSignatureRef(const char* signature);

protected:
	// Marks a message as coming from this item of this application.
	status_t AddDefaultInfo(BMessage* message) const;

	status_t Load(BMessage* message) const;
	status_t LoadBool(bool* value) const;
	status_t LoadString(std::string* value) const;
	status_t Save(BMessage message) const;
	status_t SaveBool(bool value) const;
	status_t SaveString(const std::string& value) const;

private:
	TIAPItem(const TIAPItem&) = delete;
	TIAPItem& operator=(const TIAPItem&) = delete;

	std::string FileName() const;
	// Tells the person once that the item's file could not be written, until it can again.
	void TellSaveResult(status_t status) const;

	const char* mAppSignature;
	std::string mName;
	mutable bool mSaveFailureTold;
};

#endif
