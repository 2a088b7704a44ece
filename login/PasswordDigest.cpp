#include "PasswordDigest.h"

#include <openssl/evp.h>

#include <memory>
#include <stdexcept>

namespace login {

QString sha256Hex(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), &EVP_MD_CTX_free);
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (!ctx || EVP_DigestInit_ex(ctx.get(), EVP_sha256(), nullptr) != 1
        || EVP_DigestUpdate(ctx.get(), bytes.constData(), static_cast<size_t>(bytes.size())) != 1
        || EVP_DigestFinal_ex(ctx.get(), digest, &length) != 1)
        throw std::runtime_error("SHA-256 digest failed");
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(digest), static_cast<int>(length)).toHex());
}

QString passwordValue(const QString& password, const QString& pwHashType)
{
    return pwHashType == QLatin1String("HashSHA2") ? sha256Hex(password) : password;
}

} // namespace login
