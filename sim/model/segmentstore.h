// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QMap>

namespace xrsim {

// A numbered stretch of material between an in and an out position, cut
// from a file (its source). The recorder keeps two further numbers with it
// (0-9999) that it reports but does not act on.
struct Segment
{
    qint64 in = 0;
    qint64 out = 0;
    QByteArray source;
    int extra1 = 0;
    int extra2 = 0;
};

// The recorder's segments 1 to 2045.
class SegmentStore
{
public:
    static constexpr int kFirst = 1;
    static constexpr int kLast = 2045;

    static bool ValidNumber(int number) { return number >= kFirst && number <= kLast; }

    const Segment *Find(int number) const;
    // Replaces a segment of the same number; false for a number out of range.
    bool Store(int number, const Segment &segment);
    bool Remove(int number);
    // The smallest number without a segment, 0 when all are taken.
    int FirstFree() const;
    // The next segment above or below number, 0 when there is none.
    int After(int number) const;
    int Before(int number) const;
    // A renamed file keeps its segments.
    void RenameSource(const QByteArray &from, const QByteArray &to);

private:
    QMap<int, Segment> segments;
};

} // namespace xrsim
