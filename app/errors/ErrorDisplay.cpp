#include "ErrorDisplay.h"

#include "ApplicationName.h"
#include "SilentAbort.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

#include <cstdlib>
#include <memory>
#include <typeinfo>

#if defined(__GNUG__)
#include <cxxabi.h>
#endif

namespace app {

namespace {

QString fromWhat(const char* what) { return QString::fromUtf8(what ? what : ""); }

// The message of the innermost error wrapped by `e`, or nothing when `e`
// wraps none.
std::optional<QString> innermostMessage(const std::exception& e)
{
    const auto* nested = dynamic_cast<const std::nested_exception*>(&e);
    if (!nested || !nested->nested_ptr())
        return std::nullopt;
    try {
        nested->rethrow_nested();
    } catch (const std::exception& inner) {
        if (auto deeper = innermostMessage(inner))
            return deeper;
        return fromWhat(inner.what());
    } catch (...) {
        return QString();
    }
    return std::nullopt;
}

QString withFinalStop(QString text)
{
    if (!text.isEmpty() && text.back().unicode() > u'.')
        text += QLatin1Char('.');
    return text;
}

QString demangle(const char* name)
{
#if defined(__GNUG__)
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> readable(abi::__cxa_demangle(name, nullptr, nullptr, &status), std::free);
    if (status == 0 && readable)
        return QString::fromUtf8(readable.get());
#endif
    return QString::fromUtf8(name);
}

QWidget* owningWindow()
{
    if (QWidget* active = QApplication::activeModalWidget())
        return active;
    return QApplication::activeWindow();
}

// A box needs a GUI application; without one there is nobody to tell.
bool canShow() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

void showBox(const QString& caption, const QString& text) noexcept
{
    try {
        QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, owningWindow());
        box.exec();
    } catch (...) {
        // Nothing is left that could tell the operator; the program goes on.
    }
}

} // namespace

std::optional<QString> ErrorDisplay::message(std::exception_ptr error)
{
    if (!error)
        return std::nullopt;
    try {
        std::rethrow_exception(error);
    } catch (const SilentAbort&) {
        return std::nullopt;
    } catch (const std::exception& e) {
        QString text = fromWhat(e.what());
        if (auto inner = innermostMessage(e); inner && !inner->isEmpty())
            text = *inner;
        return withFinalStop(text);
    } catch (...) {
        return withFinalStop(QStringLiteral("Unknown error"));
    }
}

QString ErrorDisplay::className(std::exception_ptr error)
{
    if (!error)
        return QStringLiteral("unknown");
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return demangle(typeid(e).name());
    } catch (...) {
#if defined(__GNUG__)
        if (const std::type_info* type = abi::__cxa_current_exception_type())
            return demangle(type->name());
#endif
        return QStringLiteral("unknown");
    }
}

void ErrorDisplay::show(std::exception_ptr error) noexcept
{
    try {
        if (auto text = message(error); text && canShow())
            showBox(applicationName(), *text);
    } catch (...) {
        // Out of memory while making the text: nothing more can be shown.
    }
}

QString ErrorDisplay::startupMessage(std::exception_ptr error, const QString& executableName)
{
    const QString text = message(error).value_or(QString());
    return QStringLiteral("Exception %1 in module %2.\n%3").arg(className(error), executableName, text);
}

void ErrorDisplay::showStartupError(std::exception_ptr error) noexcept
{
    try {
        if (!canShow())
            return;
        const QString executable = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        showBox(QStringLiteral("Application Error"), startupMessage(error, executable));
    } catch (...) {
        // As above: the exit code still tells that start-up failed.
    }
}

} // namespace app
