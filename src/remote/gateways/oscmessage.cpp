// SPDX-License-Identifier: GPL-3.0-or-later
#include "oscmessage.h"

#include <lo/lo_lowlevel.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

namespace {

struct MessageFree
{
    void operator()(lo_message message) const { lo_message_free(message); }
};
using Message = std::unique_ptr<std::remove_pointer_t<lo_message>, MessageFree>;

// liblo's argument pointers point into the packet, where a 64-bit value
// sits on a 4-byte boundary only; read each value by copying its bytes.
template <typename T>
T Read(const lo_arg *arg)
{
    T value;
    std::memcpy(&value, static_cast<const void *>(arg), sizeof value);
    return value;
}

QVariant Argument(char type, const lo_arg *arg)
{
    switch (type) {
    case LO_INT32:
        return int(Read<int32_t>(arg));
    case LO_INT64: {
        const int64_t wide = Read<int64_t>(arg);
        if (wide >= std::numeric_limits<int>::min() && wide <= std::numeric_limits<int>::max())
            return int(wide);
        return QVariant();
    }
    case LO_FLOAT:
        return double(Read<float>(arg));
    case LO_DOUBLE:
        return Read<double>(arg);
    case LO_STRING:
    case LO_SYMBOL:
        return QString::fromUtf8(reinterpret_cast<const char *>(arg));
    case LO_TRUE:
        return true;
    case LO_FALSE:
        return false;
    default:
        return QVariant();
    }
}

bool AddArgument(lo_message message, const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return (value.toBool() ? lo_message_add_true(message) : lo_message_add_false(message)) == 0;
    case QMetaType::Int:
        return lo_message_add_int32(message, value.toInt()) == 0;
    case QMetaType::Double:
    case QMetaType::Float:
        return lo_message_add_float(message, value.toFloat()) == 0;
    case QMetaType::QString:
        return lo_message_add_string(message, value.toString().toUtf8().constData()) == 0;
    default:
        return false;
    }
}

} // namespace

bool DecodeOsc(const QByteArray &datagram, OscMessage &message)
{
    if (datagram.isEmpty() || datagram.at(0) != '/')
        return false;           // also a bundle, which starts "#bundle"
    QByteArray data = datagram; // liblo turns the arguments' byte order in place
    int result = 0;
    const Message decoded(lo_message_deserialise(data.data(), size_t(data.size()), &result));
    if (!decoded || result != 0)
        return false;
    const char *path = lo_get_path(data.data(), data.size());
    if (!path)
        return false;
    message.path = QString::fromUtf8(path);
    message.args.clear();
    const char *types = lo_message_get_types(decoded.get());
    lo_arg **argv = lo_message_get_argv(decoded.get());
    const int count = lo_message_get_argc(decoded.get());
    for (int index = 0; index < count; ++index)
        message.args << Argument(types[index], argv[index]);
    return true;
}

QByteArray EncodeOsc(const OscMessage &message)
{
    const Message encoded(lo_message_new());
    if (!encoded)
        return QByteArray();
    for (const QVariant &value : message.args) {
        if (!AddArgument(encoded.get(), value))
            return QByteArray();
    }
    const QByteArray path = message.path.toUtf8();
    size_t size = 0;
    void *bytes = lo_message_serialise(encoded.get(), path.constData(), nullptr, &size);
    if (!bytes)
        return QByteArray();
    const QByteArray datagram(static_cast<const char *>(bytes), qsizetype(size));
    std::free(bytes);
    return datagram;
}
