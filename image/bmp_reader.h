#pragma once
#include "image/packed_dib.h"

// Reads the BMP file at `path` (a code page 932 path) into a new picture: the file's bytes from
// offset 14 up to its bfSize, read in pieces of at most 32768 bytes straight into the block.
// None, with no message, for a file that cannot be opened or read, is not a BMP file, or does
// not hold a usable picture (IsUsablePicture). A core-header picture is read; whether to use
// it is the caller's decision.
PackedDib LoadBmpFile(const char* path);
