#pragma once
#include <cstddef>
#include <cstdint>

// One contiguous picture block, uncleared, that stays at one address for its whole life.
// Null when the memory cannot be had.
std::uint8_t* AllocatePictureBlock(std::size_t length);

// Gives back a block that AllocatePictureBlock returned. Never given null.
void ReleasePictureBlock(std::uint8_t* block);
