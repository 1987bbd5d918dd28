// SPDX-License-Identifier: GPL-3.0-or-later
#include "storyboard/heifboxes.h"

#include <QtEndian>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

quint32 bigEndian16(const QByteArray &bytes, qsizetype at)
{
    return qFromBigEndian<quint16>(bytes.constData() + at);
}

quint32 bigEndian32(const QByteArray &bytes, qsizetype at)
{
    return qFromBigEndian<quint32>(bytes.constData() + at);
}

// Calls visit(type, body start, end) for each box in [from, to); stops at the first box whose
// size does not fit.
void forEachBox(const QByteArray &bytes, qsizetype from, qsizetype to,
                const std::function<void(QByteArrayView, qsizetype, qsizetype)> &visit)
{
    qsizetype at = from;
    while (to - at >= 8) {
        quint64 size = bigEndian32(bytes, at);
        const QByteArrayView type(bytes.constData() + at + 4, 4);
        qsizetype header = 8;
        if (size == 1) {
            if (to - at < 16)
                return;
            size = qFromBigEndian<quint64>(bytes.constData() + at + 8);
            header = 16;
        } else if (size == 0) {
            size = quint64(to - at); // to the end
        }
        if (size < quint64(header) || size > quint64(to - at))
            return;
        visit(type, at + header, at + qsizetype(size));
        at += qsizetype(size);
    }
}

// Reads the bits of an HEVC parameter set, its emulation-prevention bytes removed.
class BitReader
{
public:
    explicit BitReader(QByteArray payload)
        : data(std::move(payload))
    { }

    bool atEnd() const { return position >= qsizetype(data.size()) * 8; }
    quint32 bits(int count)
    {
        quint32 value = 0;
        for (int i = 0; i < count; ++i) {
            if (atEnd()) {
                failed = true;
                return 0;
            }
            value = (value << 1) | ((uchar(data.at(position / 8)) >> (7 - position % 8)) & 1);
            ++position;
        }
        return value;
    }
    void skip(int count)
    {
        position += count;
        if (position > qsizetype(data.size()) * 8)
            failed = true;
    }
    // Exp-Golomb ue(v); values past 32 bits count as damage.
    quint32 unsignedGolomb()
    {
        int zeros = 0;
        while (!failed && bits(1) == 0) {
            if (++zeros > 31) {
                failed = true;
                return 0;
            }
        }
        return failed ? 0 : (quint32(1) << zeros) - 1 + bits(zeros);
    }

    bool failed = false;

private:
    QByteArray data;
    qsizetype position = 0;
};

// The picture size a sequence parameter set (NAL unit type 33, header included) declares; an
// invalid size when it cannot be read.
QSize spsPictureSize(const QByteArray &nal)
{
    QByteArray payload;
    payload.reserve(nal.size());
    int zeros = 0;
    for (qsizetype i = 2; i < nal.size(); ++i) {
        const char c = nal.at(i);
        if (zeros >= 2 && c == 3) {
            zeros = 0;
            continue;
        }
        zeros = c == 0 ? zeros + 1 : 0;
        payload.append(c);
    }
    BitReader reader(payload);
    reader.skip(4); // sps_video_parameter_set_id
    const int subLayers = int(reader.bits(3)); // sps_max_sub_layers_minus1
    reader.skip(1);
    reader.skip(96); // general profile, tier and level
    bool profilePresent[8] = {};
    bool levelPresent[8] = {};
    for (int i = 0; i < subLayers; ++i) {
        profilePresent[i] = reader.bits(1);
        levelPresent[i] = reader.bits(1);
    }
    if (subLayers > 0)
        reader.skip(2 * (8 - subLayers));
    for (int i = 0; i < subLayers; ++i)
        reader.skip((profilePresent[i] ? 88 : 0) + (levelPresent[i] ? 8 : 0));
    reader.unsignedGolomb(); // sps_seq_parameter_set_id
    if (reader.unsignedGolomb() == 3) // chroma_format_idc
        reader.skip(1);
    const quint32 width = reader.unsignedGolomb();
    const quint32 height = reader.unsignedGolomb();
    if (reader.failed || width == 0 || height == 0 || width > 1u << 20 || height > 1u << 20)
        return QSize();
    return QSize(int(width), int(height));
}

// An unsigned big-endian number of size bytes (0 to 8; none is 0) at at, which moves past it;
// false when it does not fit before end.
bool readNumber(const QByteArray &bytes, qsizetype &at, qsizetype end, int size, quint64 &value)
{
    if (size < 0 || size > 8 || end - at < size)
        return false;
    value = 0;
    for (int i = 0; i < size; ++i)
        value = (value << 8) | uchar(bytes.at(at + i));
    at += size;
    return true;
}

} // namespace

// The output size every grid image of the file declares, width and height each at their
// largest: the item types from 'iinf', where their data lies from 'iloc' (in 'idat' or in the
// file), and the grid's own header there. An empty size when there is no grid; a grid whose data
// cannot be found or read counts as an enormous one.
QSize largestGrid(const QByteArray &bytes)
{
    constexpr int Enormous = 1 << 20;
    QSize largest(0, 0);
    qsizetype metaBody = -1, metaEnd = -1;
    forEachBox(bytes, 0, bytes.size(), [&](QByteArrayView type, qsizetype body, qsizetype end) {
        if (type == "meta" && metaBody < 0 && end - body >= 4) {
            metaBody = body + 4;
            metaEnd = end;
        }
    });
    if (metaBody < 0)
        return largest;

    std::vector<quint32> grids;
    qsizetype ilocBody = -1, ilocEnd = -1, idatBody = -1, idatEnd = -1;
    forEachBox(bytes, metaBody, metaEnd, [&](QByteArrayView type, qsizetype body, qsizetype end) {
        if (type == "iloc" && ilocBody < 0) {
            ilocBody = body;
            ilocEnd = end;
        } else if (type == "idat" && idatBody < 0) {
            idatBody = body;
            idatEnd = end;
        } else if (type == "iinf" && end - body >= 6) {
            const int version = uchar(bytes.at(body));
            const qsizetype first = body + 4 + (version == 0 ? 2 : 4);
            forEachBox(bytes, first, end, [&](QByteArrayView entry, qsizetype eb, qsizetype ee) {
                if (entry != "infe" || ee - eb < 4)
                    return;
                const int entryVersion = uchar(bytes.at(eb));
                if (entryVersion < 2)
                    return; // no item types before version 2
                const int idBytes = entryVersion == 2 ? 2 : 4;
                if (ee - eb < 4 + idBytes + 2 + 4)
                    return;
                const quint32 id
                    = idBytes == 2 ? bigEndian16(bytes, eb + 4) : bigEndian32(bytes, eb + 4);
                if (QByteArrayView(bytes.constData() + eb + 4 + idBytes + 2, 4) == "grid")
                    grids.push_back(id);
            });
        }
    });
    if (grids.empty())
        return largest;
    if (ilocBody < 0 || ilocEnd - ilocBody < 8)
        return QSize(Enormous, Enormous);

    qsizetype at = ilocBody;
    const int version = uchar(bytes.at(at));
    at += 4;
    const int offsetSize = uchar(bytes.at(at)) >> 4;
    const int lengthSize = uchar(bytes.at(at)) & 15;
    const int baseOffsetSize = uchar(bytes.at(at + 1)) >> 4;
    const int indexSize = version >= 1 ? uchar(bytes.at(at + 1)) & 15 : 0;
    at += 2;
    quint64 count = 0;
    if (!readNumber(bytes, at, ilocEnd, version < 2 ? 2 : 4, count))
        return QSize(Enormous, Enormous);
    std::vector<quint32> found;
    for (quint64 i = 0; i < count; ++i) {
        quint64 id = 0, method = 0, reference = 0, base = 0, extents = 0;
        if (!readNumber(bytes, at, ilocEnd, version < 2 ? 2 : 4, id)
            || (version >= 1 && !readNumber(bytes, at, ilocEnd, 2, method))
            || !readNumber(bytes, at, ilocEnd, 2, reference)
            || !readNumber(bytes, at, ilocEnd, baseOffsetSize, base)
            || !readNumber(bytes, at, ilocEnd, 2, extents))
            return QSize(Enormous, Enormous);
        quint64 offset = 0, length = 0;
        for (quint64 e = 0; e < extents; ++e) {
            quint64 index = 0, extentOffset = 0, extentLength = 0;
            if ((indexSize > 0 && !readNumber(bytes, at, ilocEnd, indexSize, index))
                || !readNumber(bytes, at, ilocEnd, offsetSize, extentOffset)
                || !readNumber(bytes, at, ilocEnd, lengthSize, extentLength))
                return QSize(Enormous, Enormous);
            if (e == 0) {
                offset = extentOffset;
                length = extentLength;
            }
        }
        if (std::find(grids.begin(), grids.end(), quint32(id)) == grids.end())
            continue;
        found.push_back(quint32(id));
        // The grid header: version, flags, rows and columns less one, then the output size in
        // 16 bits, or in 32 when the flags say so.
        const qsizetype start = (method & 15) == 1 ? idatBody : 0;
        const qsizetype limit = (method & 15) == 1 ? idatEnd : bytes.size();
        if (start < 0 || (method & 15) > 1 || base + offset > quint64(limit - start))
            return QSize(Enormous, Enormous);
        qsizetype header = start + qsizetype(base + offset);
        const qsizetype headerEnd
            = length > 0 && length < quint64(limit - header) ? header + qsizetype(length) : limit;
        if (headerEnd - header < 4)
            return QSize(Enormous, Enormous);
        const int fieldSize = (uchar(bytes.at(header + 1)) & 1) ? 4 : 2;
        header += 4;
        quint64 width = 0, height = 0;
        if (!readNumber(bytes, header, headerEnd, fieldSize, width)
            || !readNumber(bytes, header, headerEnd, fieldSize, height))
            return QSize(Enormous, Enormous);
        largest = largest.expandedTo(QSize(int(std::min<quint64>(width, Enormous)),
                                           int(std::min<quint64>(height, Enormous))));
    }
    if (found.size() != grids.size())
        return QSize(Enormous, Enormous);
    return largest;
}

// The largest picture any HEVC decoder configuration ('hvcC' property) of the file declares,
// width and height each at their largest; an empty size when there is none. An unreadable
// parameter set counts as an enormous picture.
QSize largestCodedPicture(const QByteArray &bytes)
{
    QSize largest(0, 0);
    const auto visitConfiguration = [&](qsizetype body, qsizetype end) {
        // 22 bytes of configuration, then arrays of NAL units: type, count, (length, unit)...
        qsizetype at = body + 22;
        if (end - at < 1)
            return;
        const int arrays = uchar(bytes.at(at++));
        for (int a = 0; a < arrays && end - at >= 3; ++a) {
            const int type = uchar(bytes.at(at)) & 0x3f;
            const quint32 count = bigEndian16(bytes, at + 1);
            at += 3;
            for (quint32 n = 0; n < count && end - at >= 2; ++n) {
                const qsizetype length = bigEndian16(bytes, at);
                at += 2;
                if (end - at < length)
                    return;
                if (type == 33) {
                    QSize size = spsPictureSize(bytes.mid(at, length));
                    if (!size.isValid())
                        size = QSize(1 << 20, 1 << 20);
                    largest = largest.expandedTo(size);
                }
                at += length;
            }
        }
    };
    forEachBox(bytes, 0, bytes.size(), [&](QByteArrayView type, qsizetype body, qsizetype end) {
        if (type != "meta" || end - body < 4)
            return;
        forEachBox(bytes, body + 4, end, [&](QByteArrayView inner, qsizetype b, qsizetype e) {
            if (inner != "iprp")
                return;
            forEachBox(bytes, b, e, [&](QByteArrayView box, qsizetype pb, qsizetype pe) {
                if (box != "ipco")
                    return;
                forEachBox(bytes, pb, pe, [&](QByteArrayView property, qsizetype cb, qsizetype ce) {
                    if (property == "hvcC")
                        visitConfiguration(cb, ce);
                });
            });
        });
    });
    return largest;
}

bool heifPrimaryIsTransformed(const QByteArray &bytes)
{
    qsizetype metaStart = -1, metaEnd = -1;
    forEachBox(bytes, 0, bytes.size(), [&](QByteArrayView type, qsizetype body, qsizetype end) {
        if (type == "meta" && metaStart < 0 && end - body >= 4) {
            metaStart = body + 4; // version and flags
            metaEnd = end;
        }
    });
    if (metaStart < 0)
        return false;

    bool hasPrimary = false;
    quint32 primary = 0;
    std::vector<bool> transforms; // per property, in ipco order (ipma counts from 1)
    qsizetype ipmaStart = -1, ipmaEnd = -1;
    forEachBox(bytes, metaStart, metaEnd, [&](QByteArrayView type, qsizetype body, qsizetype end) {
        if (type == "pitm" && end - body >= 6) {
            const int version = uchar(bytes.at(body));
            if (version == 0) {
                primary = bigEndian16(bytes, body + 4);
                hasPrimary = true;
            } else if (end - body >= 8) {
                primary = bigEndian32(bytes, body + 4);
                hasPrimary = true;
            }
        } else if (type == "iprp") {
            forEachBox(bytes, body, end, [&](QByteArrayView inner, qsizetype b, qsizetype e) {
                if (inner == "ipco" && transforms.empty()) {
                    forEachBox(bytes, b, e,
                               [&](QByteArrayView property, qsizetype pb, qsizetype pe) {
                                   // A turn by 0 degrees is no turn; any mirror is one.
                                   const bool turn = property == "irot" && pe > pb
                                       && (uchar(bytes.at(pb)) & 3) != 0;
                                   transforms.push_back(turn || property == "imir");
                               });
                } else if (inner == "ipma" && ipmaStart < 0) {
                    ipmaStart = b;
                    ipmaEnd = e;
                }
            });
        }
    });
    if (!hasPrimary || ipmaStart < 0 || ipmaEnd - ipmaStart < 8)
        return false;

    const int version = uchar(bytes.at(ipmaStart));
    const bool wideIndex = uchar(bytes.at(ipmaStart + 3)) & 1;
    const quint32 entries = bigEndian32(bytes, ipmaStart + 4);
    qsizetype at = ipmaStart + 8;
    for (quint32 i = 0; i < entries; ++i) {
        const int idBytes = version < 1 ? 2 : 4;
        if (ipmaEnd - at < idBytes + 1)
            return false;
        const quint32 item = idBytes == 2 ? bigEndian16(bytes, at) : bigEndian32(bytes, at);
        at += idBytes;
        const int count = uchar(bytes.at(at++));
        const int indexBytes = wideIndex ? 2 : 1;
        if (ipmaEnd - at < qsizetype(count) * indexBytes)
            return false;
        for (int j = 0; j < count; ++j) {
            const quint32 index
                = wideIndex ? bigEndian16(bytes, at) & 0x7fff : quint32(uchar(bytes.at(at))) & 0x7f;
            at += indexBytes;
            if (item == primary && index >= 1 && index <= transforms.size()
                && transforms[index - 1])
                return true;
        }
    }
    return false;
}
