#include "reader/NettleLibrary.h"

#include <dlfcn.h>
#include <string>

namespace ombrix::reader {

namespace {

template <typename T>
T symbol(void* handle, const char* library, const char* name) {
    void* address = ::dlsym(handle, name);
    if (address == nullptr) {
        throw NettleUnavailable(std::string(library) + " has no " + name);
    }
    return reinterpret_cast<T>(address);
}

} // namespace

NettleLibrary loadNettle(const char* library) {
    // Never closed: the library's functions are used until the process ends.
    void* handle = ::dlopen(library, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        throw NettleUnavailable(::dlerror());
    }
    using Hash = const nettle_hash*;
    using Cipher = const nettle_cipher*;
    return {
        .sha1 = symbol<Hash>(handle, library, "nettle_sha1"),
        .sha256 = symbol<Hash>(handle, library, "nettle_sha256"),
        .sha384 = symbol<Hash>(handle, library, "nettle_sha384"),
        .sha512 = symbol<Hash>(handle, library, "nettle_sha512"),
        .aes128 = symbol<Cipher>(handle, library, "nettle_aes128"),
        .aes192 = symbol<Cipher>(handle, library, "nettle_aes192"),
        .aes256 = symbol<Cipher>(handle, library, "nettle_aes256"),
        .arcfourSetKey =
            symbol<decltype(&nettle_arcfour_set_key)>(handle, library, "nettle_arcfour_set_key"),
        .arcfourCrypt =
            symbol<decltype(&nettle_arcfour_crypt)>(handle, library, "nettle_arcfour_crypt"),
        .cbcDecrypt = symbol<decltype(&nettle_cbc_decrypt)>(handle, library, "nettle_cbc_decrypt"),
        .memeqlSec = symbol<decltype(&nettle_memeql_sec)>(handle, library, "nettle_memeql_sec")};
}

const NettleLibrary& nettle() {
    static const NettleLibrary loaded = loadNettle(OMBRIX_NETTLE_LIBRARY);
    return loaded;
}

} // namespace ombrix::reader
