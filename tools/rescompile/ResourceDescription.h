#ifndef RESOURCE_DESCRIPTION_H
#define RESOURCE_DESCRIPTION_H

#include <SupportDefs.h>

#include <string>
#include <vector>

// One resource to put into the container.
struct ResourceItem {
	type_code type;
	int32 id;
	std::string name;
	std::vector<char> data;
};

// Reads a resource description: the application's identity (signature, flags,
// version, icons) and any further resources, given as files or strings. Paths
// are relative to the description.
//
//   signature "application/x-vnd.Maker-App"
//   flags B_EXCLUSIVE_LAUNCH | B_BACKGROUND_APP
//   version 1.4.0 final 0 "Ver 1.40" "App Ver 1.40"
//   icon large icons/large.icon
//   icon mini icons/mini.png      (a PNG of 16 by 16 pixels)
//   resource 'ARCV' 4000 "Layout" file layouts/page.msg
//   resource 'CSTR' 1 "Greeting" string "hello"
class ResourceDescription {
public:
	// Fills the items; on failure the error names the line and what is wrong.
	bool Read(const std::string& path);
	// The same for a description held in memory; without files allowed, a line that names a
	// file is an error.
	bool ReadText(const std::string& text, const std::string& name, const std::string& folder,
				  bool allowFiles);

	const std::vector<ResourceItem>& Items() const { return fItems; }
	const std::string& Error() const { return fError; }
	// The files the description reads, for the build to watch.
	const std::vector<std::string>& Inputs() const { return fInputs; }

private:
	bool _Line(const std::string& line);
	bool _Signature(const std::vector<std::string>& words);
	bool _Flags(const std::vector<std::string>& words);
	bool _Version(const std::vector<std::string>& words);
	bool _Icon(const std::vector<std::string>& words);
	bool _Resource(const std::vector<std::string>& words);
	bool _Fail(const std::string& what);
	std::string _Resolve(const std::string& path) const;
	bool _Add(type_code type, int32 id, const std::string& name, std::vector<char> data);

	std::string fFolder;
	bool fAllowFiles = true;
	std::string fError;
	int fLineNumber = 0;
	std::vector<ResourceItem> fItems;
	std::vector<std::string> fInputs;
};

// Splits a line into words; double-quoted words may hold spaces and \" \\ \n
// escapes.
bool split_words(const std::string& line, std::vector<std::string>* words, std::string* error);
// Parses a type code written as 'ABCD' (or a plain number).
bool parse_type_code(const std::string& word, type_code* type);

#endif
