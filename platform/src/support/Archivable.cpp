#include <Archivable.h>

#include <cerrno>
#include <cstdlib>
#include <cxxabi.h>
#include <map>
#include <mutex>
#include <string>
#include <typeinfo>

#include <Message.h>

namespace {

struct Registry {
	std::mutex lock;
	std::map<std::string, instantiation_func> classes;
};

// Built on first use so that registrations from static initialisers of any file work.
Registry&
registry()
{
	static Registry sRegistry;
	return sRegistry;
}

std::string
demangled_name(const std::type_info& type)
{
	int status = 0;
	char* name = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
	if (status != 0 || name == nullptr)
		return type.name();
	std::string result(name);
	free(name);
	return result;
}

instantiation_func
lookup(const std::string& name)
{
	Registry& r = registry();
	std::lock_guard<std::mutex> guard(r.lock);
	auto it = r.classes.find(name);
	return it == r.classes.end() ? nullptr : it->second;
}

} // namespace

BArchivable::BArchivable() {}

BArchivable::BArchivable(BMessage*) {}

BArchivable::~BArchivable() {}

status_t
BArchivable::Archive(BMessage* into, bool) const
{
	if (into == nullptr)
		return B_BAD_VALUE;
	return into->AddString("class", demangled_name(typeid(*this)).c_str());
}

BArchivable*
BArchivable::Instantiate(BMessage*)
{
	return nullptr;
}

status_t
BArchivable::Perform(perform_code, void*)
{
	return B_NOT_SUPPORTED;
}

status_t
register_instantiation_func(const char* className, instantiation_func func)
{
	if (className == nullptr || className[0] == '\0' || func == nullptr)
		return B_BAD_VALUE;
	Registry& r = registry();
	std::lock_guard<std::mutex> guard(r.lock);
	r.classes[className] = func;
	return B_OK;
}

instantiation_func
find_instantiation_func(const char* className, const char*)
{
	if (className == nullptr) {
		errno = B_BAD_VALUE;
		return nullptr;
	}
	instantiation_func func = lookup(className);
	// Private classes of the kits are archived with or without their namespace.
	if (func == nullptr && className[0] == '_')
		func = lookup(std::string("BPrivate::") + className);
	if (func == nullptr)
		errno = B_BAD_VALUE;
	return func;
}

instantiation_func
find_instantiation_func(const char* className)
{
	return find_instantiation_func(className, nullptr);
}

instantiation_func
find_instantiation_func(BMessage* archive)
{
	const char* name = nullptr;
	if (archive == nullptr || archive->FindString("class", &name) != B_OK) {
		errno = B_BAD_VALUE;
		return nullptr;
	}
	return find_instantiation_func(name);
}

BArchivable*
instantiate_object(BMessage* from, image_id* id)
{
	if (id != nullptr)
		*id = -1;
	const char* name = nullptr;
	if (from == nullptr || from->FindString("class", &name) != B_OK) {
		errno = B_BAD_VALUE;
		return nullptr;
	}
	const char* signature = nullptr;
	from->FindString("add_on", &signature);
	instantiation_func func = find_instantiation_func(name, signature);
	if (func == nullptr)
		return nullptr;
	BArchivable* object = func(from);
	if (object == nullptr)
		errno = B_BAD_VALUE;
	return object;
}

BArchivable*
instantiate_object(BMessage* from)
{
	return instantiate_object(from, nullptr);
}

bool
validate_instantiation(BMessage* from, const char* className)
{
	if (from == nullptr || className == nullptr) {
		errno = B_BAD_VALUE;
		return false;
	}
	std::string privateName = className[0] == '_' ? std::string("BPrivate::") + className : "";
	const char* name = nullptr;
	for (int32 i = 0; from->FindString("class", i, &name) == B_OK; i++) {
		if (std::string(name) == className || (!privateName.empty() && privateName == name))
			return true;
	}
	errno = B_MISMATCHED_VALUES;
	return false;
}
