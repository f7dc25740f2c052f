#pragma once
#include <cstddef>
#include <cstdint>

// Every block routine, each built for the instruction set in its name. Only
// DigestEngines calls the ones that need more than plain i386.
void Md5BlocksPortable(std::uint32_t state[4], const std::uint8_t* blocks, std::size_t blockCount);

void Sha1BlocksPortable(std::uint32_t state[5], const std::uint8_t* blocks, std::size_t blockCount);
void Sha1BlocksSsse3(std::uint32_t state[5], const std::uint8_t* blocks, std::size_t blockCount);
void Sha1BlocksAvx2(std::uint32_t state[5], const std::uint8_t* blocks, std::size_t blockCount);
void Sha1BlocksShaExtensions(std::uint32_t state[5], const std::uint8_t* blocks, std::size_t blockCount);

std::uint32_t Crc32Slicing8(std::uint32_t crc, const std::uint8_t* data, std::size_t length);
std::uint32_t Crc32Slicing16(std::uint32_t crc, const std::uint8_t* data, std::size_t length);
std::uint32_t Crc32Pclmul(std::uint32_t crc, const std::uint8_t* data, std::size_t length);
std::uint32_t Crc32Vpclmul256(std::uint32_t crc, const std::uint8_t* data, std::size_t length);
std::uint32_t Crc32Vpclmul512(std::uint32_t crc, const std::uint8_t* data, std::size_t length);
