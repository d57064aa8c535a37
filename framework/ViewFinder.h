#ifndef MOZELT_VIEW_FINDER_H
#define MOZELT_VIEW_FINDER_H

#include <View.h>

// Looks up named views below a parent, remembering whether one was missing or of another
// class than asked for, so that a view built from an archived layout can refuse to work
// without the controls it needs instead of failing later.
class TViewFinder {
public:
	explicit TViewFinder(const BView* parent) : mParent(parent), mStatus(B_OK) {}

	// The view of that name and class, or NULL (and InitCheck fails from now on).
	template <class T>
	T* Find(const char* name)
	{
		T* view = dynamic_cast<T*>(mParent != NULL ? mParent->FindView(name) : NULL);
		if (view == NULL)
			mStatus = B_NAME_NOT_FOUND;
		return view;
	}

	// B_OK while every view asked for was there with its class.
	status_t InitCheck() const { return mStatus; }

private:
	const BView* mParent;
	status_t mStatus;
};

#endif
