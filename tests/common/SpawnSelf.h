#ifndef TESTS_SPAWN_SELF_H
#define TESTS_SPAWN_SELF_H

// Starts this same program again as a child process, with one more environment variable that
// tells the child which part to play: how tests and benchmarks get a second process of their
// own without a program of its own.

#include <climits>
#include <spawn.h>
#include <string>
#include <unistd.h>
#include <vector>

extern char** environ;

// The child's process id, or -1. `actions` may redirect its descriptors.
inline pid_t
spawn_self(const std::string& variable, const posix_spawn_file_actions_t* actions = nullptr)
{
	std::vector<std::string> environment;
	for (char** entry = environ; *entry != nullptr; entry++)
		environment.emplace_back(*entry);
	environment.push_back(variable);
	std::vector<char*> envp;
	for (std::string& entry : environment)
		envp.push_back(entry.data());
	envp.push_back(nullptr);
	char self[PATH_MAX];
	ssize_t length = readlink("/proc/self/exe", self, sizeof(self) - 1);
	if (length <= 0)
		return -1;
	self[length] = '\0';
	char* argv[] = {self, nullptr};
	pid_t child = -1;
	if (posix_spawn(&child, self, actions, nullptr, argv, envp.data()) != 0)
		return -1;
	return child;
}

#endif
