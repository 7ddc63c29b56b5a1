#include "passwords.h"

#include <sodium.h>

#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <unordered_map>

namespace zarnet::services {
namespace {

// Each hash takes 64 MiB; two at a time keep a burst of logins from
// exhausting memory.
class HashSlots {
 public:
  void Acquire() {
    std::unique_lock lock(m_);
    cv_.wait(lock, [&] { return free_ > 0; });
    --free_;
  }
  void Release() {
    {
      std::lock_guard lock(m_);
      ++free_;
    }
    cv_.notify_one();
  }

 private:
  std::mutex m_;
  std::condition_variable cv_;
  int free_ = 2;
};

HashSlots slots;

// The game sends the password with many requests. After one slow check, a
// keyed digest (its key lives only in this process) confirms the same
// password cheaply.
std::mutex cacheMutex;
std::unordered_map<std::string, std::string> verified;  // stored hash -> digest
unsigned char cacheKey[crypto_generichash_KEYBYTES];

std::string Digest(const std::string& password) {
  std::string out(crypto_generichash_BYTES, '\0');
  crypto_generichash(reinterpret_cast<unsigned char*>(out.data()), out.size(),
                     reinterpret_cast<const unsigned char*>(password.data()), password.size(), cacheKey,
                     sizeof cacheKey);
  return out;
}

}  // namespace

void InitPasswords() {
  if (sodium_init() < 0) throw std::runtime_error("libsodium failed to start");
  randombytes_buf(cacheKey, sizeof cacheKey);
}

std::string HashPassword(const std::string& password) {
  char out[crypto_pwhash_STRBYTES];
  slots.Acquire();
  const int rc = crypto_pwhash_str(out, password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                                   crypto_pwhash_MEMLIMIT_INTERACTIVE);
  slots.Release();
  if (rc != 0) throw std::runtime_error("out of memory while hashing a password");
  return out;
}

bool VerifyPassword(const std::string& password, const std::string& stored) {
  const std::string digest = Digest(password);
  {
    std::lock_guard lock(cacheMutex);
    auto it = verified.find(stored);
    if (it != verified.end() && sodium_memcmp(it->second.data(), digest.data(), digest.size()) == 0)
      return true;
  }
  slots.Acquire();
  const bool ok = crypto_pwhash_str_verify(stored.c_str(), password.data(), password.size()) == 0;
  slots.Release();
  if (ok) {
    std::lock_guard lock(cacheMutex);
    if (verified.size() > 100000) verified.clear();
    verified[stored] = digest;
  }
  return ok;
}

}  // namespace zarnet::services
