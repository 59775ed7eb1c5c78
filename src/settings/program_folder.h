// The folder of the executable, where every file of the program lives.
#pragma once
#include <cstddef>
#include <string>

enum { path_capacity = 1024 };  // UTF-8 bytes; a 260-character path fits

// Takes the executable's path from the system (called once at start-up).
void find_program_folder(void* module_instance);
// Sets both strings from an executable path (start-up and tests).
void set_program_path(const char* executable_path);

const char* program_path();
const char* program_folder();  // ends in the path separator

// program_folder + name, cut to the capacity when absurdly long.
void program_file(char* destination, size_t capacity, const char* name);

// The path of a folder inside the program folder, ending in the same
// separator as the program folder itself.
std::string program_subfolder(const char* name);
