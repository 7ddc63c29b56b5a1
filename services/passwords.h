// Passwords are kept only as salted, memory-hard hashes.
#pragma once

#include <string>

namespace zarnet::services {

// Throws std::runtime_error when libsodium cannot start.
void InitPasswords();
std::string HashPassword(const std::string& password);
bool VerifyPassword(const std::string& password, const std::string& stored);

}  // namespace zarnet::services
