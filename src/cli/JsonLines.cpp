#include "cli/JsonLines.h"

#include "cli/Utf8Bytes.h"
#include "core/TextBytes.h"
#include "engine/RunReport.h"

QByteArray JsonString(const QByteArray& text) {
    QByteArray out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (byte) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (byte < 0x20) {
                out += "\\u00" + QByteArray::number(byte, 16).rightJustified(2, '0');
            } else {
                out += c;
            }
        }
    }
    return out + '"';
}

namespace {
// ", "key": value
void appendMember(QByteArray& object, const char* key, const QByteArray& value) {
    if (object.size() > 1) {
        object += ", ";
    }
    object += JsonString(key) + ": " + value;
}

QByteArray codeOrNull(const char* code) {
    return code ? JsonString(code) : QByteArray("null");
}

// "key": the path as text, and "key_base64" with its exact bytes when it is not valid UTF-8.
void appendPath(QByteArray& object, const char* key, const std::optional<QByteArray>& path) {
    if (!path) {
        appendMember(object, key, "null");
        return;
    }
    if (IsValidUtf8(*path)) {
        appendMember(object, key, JsonString(*path));
        return;
    }
    appendMember(object, key, JsonString(DisplayText(*path).toUtf8()));
    appendMember(object, (QByteArray(key) + "_base64").constData(), JsonString(path->toBase64()));
}
} // namespace

QByteArray JsonStepLine(const JsonStep& step) {
    QByteArray object = "{";
    appendPath(object, "source", step.source);
    appendPath(object, "destination", step.destination);
    appendMember(object, "action", codeOrNull(step.action));
    appendMember(object, "reason", codeOrNull(step.reason));
    appendMember(object, "reason_detail",
                 step.reasonDetail.isEmpty() ? QByteArray("null") : JsonString(step.reasonDetail.toUtf8()));
    if (step.preset) {
        appendMember(object, "preset", step.preset->isEmpty() ? QByteArray("null") : JsonString(*step.preset));
    }
    if (step.result) {
        appendMember(object, "result", JsonString(step.result));
        appendMember(object, "error", codeOrNull(step.error));
    }
    return object + "}\n";
}

QByteArray JsonSummaryLine(const RunReport& report) {
    return QByteArray("{\"summary\": {\"placed\": ") + QByteArray::number(report.placed) +
           ", \"left\": " + QByteArray::number(report.left) +
           ", \"identical\": " + QByteArray::number(report.identical) +
           ", \"nomatch\": " + QByteArray::number(report.notMatching) +
           ", \"failed\": " + QByteArray::number(report.failed) +
           ", \"filtered\": " + QByteArray::number(report.filtered) + "}}\n";
}
