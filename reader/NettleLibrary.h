#pragma once

#include <nettle/arcfour.h>
#include <nettle/cbc.h>
#include <nettle/memops.h>
#include <nettle/nettle-meta.h>
#include <stdexcept>

// nettle, loaded when the first encrypted file is opened rather than linked: it binds all its
// symbols when loaded, which would cost every start of every program for the few files that are
// encrypted.
namespace ombrix::reader {

struct NettleLibrary {
    const nettle_hash* sha1;
    const nettle_hash* sha256;
    const nettle_hash* sha384;
    const nettle_hash* sha512;
    const nettle_cipher* aes128;
    const nettle_cipher* aes192;
    const nettle_cipher* aes256;
    decltype(&nettle_arcfour_set_key) arcfourSetKey;
    decltype(&nettle_arcfour_crypt) arcfourCrypt;
    decltype(&nettle_cbc_decrypt) cbcDecrypt;
    decltype(&nettle_memeql_sec) memeqlSec;
};

// The library or a symbol in it could not be loaded; what() says which and why.
class NettleUnavailable : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The library, loaded on the first call. Throws NettleUnavailable (and tries again on the next
// call) when it cannot be loaded.
const NettleLibrary& nettle();

// Loads the library from the given file name; each call loads (dlopen counts) anew.
NettleLibrary loadNettle(const char* library);

} // namespace ombrix::reader
