#include <openssl/evp.h>

#include "platform/sha256.h"

namespace korvix {

struct Sha256::State {
  EVP_MD_CTX* context = nullptr;
  bool ok = false;
};

Sha256::Sha256() : state_(std::make_unique<State>()) {
  state_->context = EVP_MD_CTX_new();
  state_->ok = state_->context && EVP_DigestInit_ex(state_->context, EVP_sha256(), nullptr) == 1;
}

Sha256::~Sha256() { EVP_MD_CTX_free(state_->context); }

void Sha256::update(std::string_view bytes) {
  if (state_->ok && !bytes.empty())
    state_->ok = EVP_DigestUpdate(state_->context, bytes.data(), bytes.size()) == 1;
}

std::optional<std::array<uint8_t, 32>> Sha256::finish() {
  std::array<uint8_t, 32> digest{};
  unsigned int length = 0;
  bool ok = state_->ok && EVP_DigestFinal_ex(state_->context, digest.data(), &length) == 1 && length == 32;
  state_->ok = false;
  if (!ok) return std::nullopt;
  return digest;
}

}  // namespace korvix
