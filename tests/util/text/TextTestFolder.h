#ifndef TESTS_UTIL_TEXT_TEST_FOLDER_H
#define TESTS_UTIL_TEXT_TEST_FOLDER_H

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// A fresh folder per test, removed afterwards, with plain file helpers that do not go through
// the code under test.
class TextTestFolder : public testing::Test {
protected:
	void SetUp() override
	{
		char pattern[] = "/tmp/mozelt-text-XXXXXX";
		ASSERT_NE(mkdtemp(pattern), nullptr);
		fRoot = pattern;
	}

	void TearDown() override
	{
		std::error_code ignored;
		std::filesystem::remove_all(fRoot, ignored);
	}

	std::string Path(const std::string& name) const { return fRoot + "/" + name; }

	void Write(const std::string& name, const std::string& content) const
	{
		std::ofstream out(Path(name), std::ios::binary);
		out << content;
	}

	std::string Read(const std::string& name) const
	{
		std::ifstream in(Path(name), std::ios::binary);
		return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
	}

	std::string fRoot;
};

#endif
