#ifndef ZORVY_ITEM_VIEW_H
#define ZORVY_ITEM_VIEW_H

#include <framework/ControlBindings.h>
#include <framework/DialogView.h>

// The base of the settings pages: its children come from a view tree archived in the
// application's resources under the layout's name.
class TItemView : public TDialogView {
public:
	explicit TItemView(const char* layoutName);
	virtual ~TItemView();

	// B_OK when the layout was found and read; a page also fails it when one of the controls it
	// needs is missing from the layout, and such a page is not shown.
	status_t InitCheck() const;

protected:
	// Loads the named layout from the application's resources; an empty message when it is
	// missing or damaged.
	static BMessage* CreateView(const char* layoutName);
	// The first failure stays: a page whose layout is missing stays failed.
	void SetInitCheck(status_t status);

	// The page's controls tied to the fields of the preference record.
	TControlBindings mBindings;

private:
	explicit TItemView(BMessage* archive);

	BMessage* mArchive;
	status_t mInitCheck;
};

#endif
