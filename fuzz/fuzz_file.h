#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// A file of this fuzzing process's own, in the temporary folder, that each input is written to
// so that it reaches the program through the same file reading as a picked file does.
const std::string& FuzzInputPath();
bool WriteFuzzInput(const std::string& path, const std::uint8_t* data, std::size_t size);
