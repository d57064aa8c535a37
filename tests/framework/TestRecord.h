#ifndef TESTS_FRAMEWORK_TEST_RECORD_H
#define TESTS_FRAMEWORK_TEST_RECORD_H

#include <framework/MOZELTArchivable.h>

#include <Message.h>

#include <string>

// A settings record the way the application's records are written: defaults in the
// constructor, every field read through the Find... readers.
class TTestRecord : public TMOZELTArchivable {
public:
	status_t Archive(BMessage* archive, bool deep = true) const override
	{
		if (mFailArchive)
			return B_ERROR;
		status_t status = TMOZELTArchivable::Archive(archive, deep);
		status |= archive->AddInt32("Cnt ", mCount);
		status |= archive->AddString("Text", mText.c_str());
		return status;
	}

	status_t Unarchive(const BMessage& archive) override
	{
		mUnarchived = true;
		status_t status = TMOZELTArchivable::Unarchive(archive);
		status |= FindInt32(archive, "Cnt ", &mCount);
		status |= FindString(archive, "Text", &mText);
		return status;
	}

	// Exposes the protected readers to the tests.
	using TArchivable::FindBool;
	using TArchivable::FindData;
	using TArchivable::FindDouble;
	using TArchivable::FindFloat;
	using TArchivable::FindFrame;
	using TArchivable::FindInt16;
	using TArchivable::FindInt32;
	using TArchivable::FindInt64;
	using TArchivable::FindInt8;
	using TArchivable::FindMessage;
	using TArchivable::FindRect;
	using TArchivable::FindRef;
	using TArchivable::FindRGBColor;
	using TArchivable::FindString;

	int32 mCount = 7;
	std::string mText = "default";
	bool mFailArchive = false;
	bool mUnarchived = false;
};

#endif
