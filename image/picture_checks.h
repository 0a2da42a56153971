#pragma once
#include "image/packed_dib.h"

// Whether a block read from a file is a picture that the program can use: a core header or an
// information header of 16 bytes or more, 4 or 8 bits per pixel, uncompressed and bottom-up,
// width and height in 1..32767, no more colours than the depth allows, header and colour table
// within the canvas's room, and the whole colour table and every row inside the block. Every
// other part relies on this: what passes, they can use without reading or writing outside a
// block.
bool IsUsablePicture(const PackedDib& block);
