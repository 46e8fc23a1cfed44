#include "PasswordHasher.hpp"

#include <sodium.h>

#include <stdexcept>

namespace kelda::server {
namespace {

// Argon2id with two passes over 19 MiB, the usual minimum for password storage: slow enough
// to resist guessing, light enough for a demo server that hashes at registration and sign-in.
constexpr unsigned long long kOpsLimit = 2;
constexpr std::size_t kMemLimit = 19u * 1024u * 1024u;
constexpr std::size_t kCacheLimit = 4096;

// Holds one of the hasher's slots for its scope.
class Slot {
 public:
  explicit Slot(std::counting_semaphore<kConcurrentHashes>& slots) : slots_(slots) {
    slots_.acquire();
  }
  ~Slot() { slots_.release(); }
  Slot(const Slot&) = delete;
  Slot& operator=(const Slot&) = delete;

 private:
  std::counting_semaphore<kConcurrentHashes>& slots_;
};

}  // namespace

PasswordHasher::PasswordHasher() {
  if (sodium_init() < 0) throw std::runtime_error("libsodium could not start");
  randombytes_buf(key_, sizeof key_);
}

std::string PasswordHasher::hash(std::string_view password) const {
  char out[crypto_pwhash_STRBYTES];
  const Slot slot(slots_);
  if (crypto_pwhash_str(out, password.data(), password.size(), kOpsLimit, kMemLimit) != 0) {
    throw std::runtime_error("password hashing ran out of memory");
  }
  return out;
}

std::string PasswordHasher::cacheKey(std::string_view password, std::string_view encoded) const {
  unsigned char digest[32];
  crypto_generichash_state state;
  crypto_generichash_init(&state, key_, sizeof key_, sizeof digest);
  const unsigned long long length = password.size();
  crypto_generichash_update(&state, reinterpret_cast<const unsigned char*>(&length), sizeof length);
  crypto_generichash_update(&state, reinterpret_cast<const unsigned char*>(password.data()),
                            password.size());
  crypto_generichash_update(&state, reinterpret_cast<const unsigned char*>(encoded.data()),
                            encoded.size());
  crypto_generichash_final(&state, digest, sizeof digest);
  return std::string(reinterpret_cast<const char*>(digest), sizeof digest);
}

bool PasswordHasher::verify(std::string_view password, std::string_view encoded) {
  const std::string key = cacheKey(password, encoded);
  {
    std::lock_guard lock(mutex_);
    if (verified_.count(key)) return true;
  }
  const std::string stored(encoded);
  const Slot slot(slots_);
  if (crypto_pwhash_str_verify(stored.c_str(), password.data(), password.size()) != 0) return false;
  std::lock_guard lock(mutex_);
  if (verified_.size() >= kCacheLimit) verified_.clear();
  verified_.insert(key);
  return true;
}

}  // namespace kelda::server
