#pragma once

#include <string>
#include <string_view>

namespace zantiva::PKCE {

// 32 bytes from the system's random source (getrandom), base64url without padding
// (43 characters). Used for the code verifier and for the state of a sign-in.
std::string randomToken();

// The S256 challenge of a verifier: base64url(SHA-256(verifier)) without padding.
std::string challenge(std::string_view verifier);

} // namespace zantiva::PKCE
