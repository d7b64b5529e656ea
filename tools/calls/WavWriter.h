#pragma once

#include <string>
#include <vector>

// Writes mono samples in [-1, 1] as a 16-bit PCM WAV file through libsndfile.
// Returns false and fills *error when the file cannot be written.
bool writeWav16(const std::string& path, const std::vector<float>& samples, int sampleRate,
                std::string* error);
