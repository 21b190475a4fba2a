#pragma once

// Certificates made for one test by the openssl command, in a folder of their own: an authority
// and the server certificates it signs, or one that signs itself. P-256 keys, valid two days.

#include <stdexcept>
#include <string>

#include <QFile>
#include <QProcess>
#include <QSslConfiguration>
#include <QSslKey>

#include "Support/TemporaryFolder.h"

namespace zantiva::testing {

class TestCertificates {
public:
    TestCertificates() { make("authority", {"-subj", "/CN=Zantiva test authority"}); }

    // The authority's certificate, a PEM file.
    QString authorityFile() const { return file("authority.pem"); }

    // A server's TLS configuration: a certificate for `names` (a subjectAltName, such as
    // "IP:127.0.0.1,DNS:localhost"), signed by the authority unless `selfSigned`.
    QSslConfiguration server(const QString& names, bool selfSigned = false) {
        const QString name = QStringLiteral("server-%1").arg(++servers_);
        QStringList arguments{"-subj", "/CN=Zantiva test site", "-addext", "subjectAltName=" + names,
                              "-addext", "basicConstraints=critical,CA:FALSE"};
        if (!selfSigned) arguments << "-CA" << authorityFile() << "-CAkey" << file("authority.key");
        make(name, arguments);
        QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
        configuration.setLocalCertificate(QSslCertificate::fromPath(file(name + ".pem")).value(0));
        QFile key(file(name + ".key"));
        key.open(QIODevice::ReadOnly);
        configuration.setPrivateKey(QSslKey(&key, QSsl::Ec));
        return configuration;
    }

private:
    QString file(const QString& name) const { return QString::fromStdString((folder_ / name.toStdString()).string()); }

    // `name`.pem and `name`.key, a new key and its certificate.
    void make(const QString& name, const QStringList& arguments) {
        QProcess openssl;
        openssl.start("openssl", QStringList{"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:P-256",
                                             "-nodes", "-days", "2", "-keyout", file(name + ".key"), "-out",
                                             file(name + ".pem")} + arguments);
        if (!openssl.waitForFinished(60'000) || openssl.exitStatus() != QProcess::NormalExit ||
            openssl.exitCode() != 0)
            throw std::runtime_error("openssl could not make " + name.toStdString() + ": " +
                                     openssl.errorString().toStdString() + " " +
                                     openssl.readAllStandardError().toStdString());
    }

    TemporaryFolder folder_;
    int servers_ = 0;
};

} // namespace zantiva::testing
