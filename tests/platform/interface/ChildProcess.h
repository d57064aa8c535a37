#ifndef CHILD_PROCESS_H
#define CHILD_PROCESS_H

// Runs a program of the build with extra environment variables and collects its exit status and
// what it printed on standard error.

#include <string>
#include <vector>

struct ChildResult {
	int status = -1;
	std::string errors;
};

ChildResult run_child(const std::string& program, const std::vector<std::string>& environment,
					  const std::vector<std::string>& arguments = {});

std::string viewdemo_path();
// A fresh folder below the system's temporary folder.
std::string make_temporary_folder();
void write_text(const std::string& path, const std::string& text);

#endif
