#pragma once

#include <cstdio>
#include <memory>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>
#include <string>

// Writes a fresh self-signed certificate for 127.0.0.1 and its private key as PEM files: a TLS
// endpoint that no system authority trusts. Made at test time, so no key is ever stored.
inline bool writeSelfSignedCertificate(const std::string& certificatePath,
                                       const std::string& keyPath) {
    std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)> key(EVP_EC_gen("P-256"), EVP_PKEY_free);
    std::unique_ptr<X509, decltype(&X509_free)> certificate(X509_new(), X509_free);
    if (!key || !certificate) {
        return false;
    }
    X509* cert = certificate.get();
    X509_set_version(cert, 2);
    ASN1_INTEGER_set(X509_get_serialNumber(cert), 1);
    X509_gmtime_adj(X509_getm_notBefore(cert), -3600);
    X509_gmtime_adj(X509_getm_notAfter(cert), 3600);
    X509_set_pubkey(cert, key.get());
    X509_NAME* name = X509_get_subject_name(cert);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>("127.0.0.1"), -1, -1, 0);
    X509_set_issuer_name(cert, name);
    // The name matches, so the only reason to refuse it is that nobody vouches for it.
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, cert, cert, nullptr, nullptr, 0);
    X509_EXTENSION* altName =
        X509V3_EXT_conf_nid(nullptr, &context, NID_subject_alt_name, "IP:127.0.0.1");
    if (!altName) {
        return false;
    }
    X509_add_ext(cert, altName, -1);
    X509_EXTENSION_free(altName);
    if (X509_sign(cert, key.get(), EVP_sha256()) == 0) {
        return false;
    }
    FILE* certFile = std::fopen(certificatePath.c_str(), "w");
    FILE* keyFile = std::fopen(keyPath.c_str(), "w");
    const bool written =
        certFile && keyFile && PEM_write_X509(certFile, cert) == 1 &&
        PEM_write_PrivateKey(keyFile, key.get(), nullptr, nullptr, 0, nullptr, nullptr) == 1;
    if (certFile) {
        std::fclose(certFile);
    }
    if (keyFile) {
        std::fclose(keyFile);
    }
    return written;
}
