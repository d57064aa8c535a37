#include <gtest/gtest.h>

#include <Archivable.h>
#include <Message.h>

// An application class in the global namespace, as the archives name them.
class TSample : public BArchivable {
public:
	TSample() : mValue(0) {}
	explicit TSample(BMessage* from) : BArchivable(from), mValue(from->GetInt32("v", 0)) {}

	status_t Archive(BMessage* into, bool deep = true) const override
	{
		status_t status = BArchivable::Archive(into, deep);
		return status | into->AddInt32("v", mValue);
	}
	static BArchivable* Instantiate(BMessage* from)
	{
		if (!validate_instantiation(from, "TSample"))
			return nullptr;
		return new TSample(from);
	}

	int32 mValue;
};
B_REGISTER_ARCHIVABLE(TSample);

namespace BPrivate {
class _Hidden_ : public BArchivable {
public:
	static BArchivable* Instantiate(BMessage*) { return new _Hidden_; }
};
} // namespace BPrivate
B_REGISTER_ARCHIVABLE(BPrivate::_Hidden_);

TEST(Archivable, ArchiveNamesTheClassAndInstantiates)
{
	TSample sample;
	sample.mValue = 12;
	BMessage archive;
	ASSERT_EQ(sample.Archive(&archive), B_OK);
	EXPECT_STREQ(archive.GetString("class"), "TSample");
	BArchivable* object = instantiate_object(&archive);
	TSample* copy = dynamic_cast<TSample*>(object);
	ASSERT_NE(copy, nullptr);
	EXPECT_EQ(copy->mValue, 12);
	delete object;
}

TEST(Archivable, ValidationAcceptsAnyClassEntry)
{
	BMessage archive;
	archive.AddString("class", "TDerived");
	archive.AddString("class", "TSample");
	EXPECT_TRUE(validate_instantiation(&archive, "TSample"));
	EXPECT_FALSE(validate_instantiation(&archive, "TOther"));
	// The first entry names the class to build, and nothing is registered under it.
	EXPECT_EQ(instantiate_object(&archive), nullptr);
	BMessage empty;
	EXPECT_EQ(instantiate_object(&empty), nullptr);
}

TEST(Archivable, PrivateClassesAreFoundWithoutTheirNamespace)
{
	BPrivate::_Hidden_ hidden;
	BMessage archive;
	ASSERT_EQ(hidden.Archive(&archive), B_OK);
	EXPECT_STREQ(archive.GetString("class"), "BPrivate::_Hidden_");
	BMessage old;
	old.AddString("class", "_Hidden_");
	EXPECT_NE(find_instantiation_func("_Hidden_"), nullptr);
	EXPECT_TRUE(validate_instantiation(&archive, "_Hidden_"));
	BArchivable* object = instantiate_object(&old);
	EXPECT_NE(object, nullptr);
	delete object;
}
