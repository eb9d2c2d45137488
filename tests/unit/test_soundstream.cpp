// SPDX-FileCopyrightText: The Numblaze developers
// SPDX-License-Identifier: GPL-3.0-or-later

// When the game's sound stream counts as run dry, in the orders of events recorded from the game
// on PipeWire under load: a sound asked for just after the stream ran out, a server that took no
// samples for 110 ms, a sound ending normally and a server that starves the stream mid-sound. A
// dry stream gets the next sound after a little silence, written where the server reads; a stream
// taken for dry while it still holds a sound gets that silence written over the sound, a hole.

#include "widgets/soundstream.h"

#include <QTest>

using numblaze::StreamQueue;

namespace
{
constexpr int Rate = 16000;
using Ms = std::chrono::duration<double, std::milli>;

StreamQueue::Clock::time_point at(double ms)
{
    return StreamQueue::Clock::time_point(
        std::chrono::duration_cast<StreamQueue::Clock::duration>(Ms(1'000'000 + ms)));
}
} // namespace

class SoundStreamTest : public QObject
{
    Q_OBJECT

  private slots:
    void newStreamIsDry();
    void streamRunsDryOnceWhatWasWrittenHasPlayed();
    void lateWordOfTheServerDoesNotCutTheNextSound_data();
    void lateWordOfTheServerDoesNotCutTheNextSound();
    void serverStarvingTheStreamMidSoundIsBelieved();
    void serverThatStoodStillStillHoldsWhatItWasGiven();
};

void SoundStreamTest::newStreamIsDry()
{
    StreamQueue queue;
    QVERIFY(queue.isDry(at(0)));
}

void SoundStreamTest::streamRunsDryOnceWhatWasWrittenHasPlayed()
{
    // The last part of a sound: 171 frames behind 309 queued, 30 ms in all.
    StreamQueue queue;
    queue.written(at(0), 309, 171, Rate);
    QVERIFY(!queue.isDry(at(29)));
    // Without the server's word, from the game's own reckoning...
    QVERIFY(queue.isDry(at(30.1)));
    // ...and with it, when it comes at the moment the server measured (2 ms after).
    StreamQueue told;
    told.written(at(0), 309, 171, Rate);
    told.serverRanDry(at(32));
    QVERIFY(told.isDry(at(32)));
}

void SoundStreamTest::lateWordOfTheServerDoesNotCutTheNextSound_data()
{
    QTest::addColumn<double>("restartMs");
    QTest::addColumn<int>("restartFrames");
    QTest::addColumn<double>("wordMs");
    // A new sound asked for 2 ms after the last one ran out; the server's word came 0.1 ms after
    // the game wrote the new sound.
    QTest::newRow("sound just after the stream ran out") << 31.9 << 341 << 32.0;
    // Under load the word may come even later.
    QTest::newRow("word 8 ms late") << 35.0 << 171 << 43.0;
}

void SoundStreamTest::lateWordOfTheServerDoesNotCutTheNextSound()
{
    QFETCH(double, restartMs);
    QFETCH(int, restartFrames);
    QFETCH(double, wordMs);
    StreamQueue queue;
    queue.written(at(0), 309, 171, Rate);
    // The new sound goes into a dry stream, after its lead-in silence (160 frames).
    QVERIFY(queue.isDry(at(restartMs)));
    queue.written(at(restartMs), 0, 160 + size_t(restartFrames), Rate);
    // The word about the stream before it must not have the rest of the sound written where the
    // server reads, over the sound's start.
    queue.serverRanDry(at(wordMs));
    QVERIFY(!queue.isDry(at(wordMs + 0.5)));
    // The rest of the sound follows it; the stream runs dry after the sound as usual.
    queue.written(at(wordMs + 0.5), 330, 150, Rate);
    QVERIFY(!queue.isDry(at(wordMs + 25)));
    QVERIFY(queue.isDry(at(wordMs + 31)));
}

void SoundStreamTest::serverStarvingTheStreamMidSoundIsBelieved()
{
    // The server ran the stream dry while the game still reckoned 1 ms queued: the next part of
    // the sound goes where the server reads, not behind samples it has already passed.
    StreamQueue queue;
    queue.written(at(0), 309, 171, Rate);
    queue.serverRanDry(at(29));
    QVERIFY(queue.isDry(at(29.5)));
    // A word far too early for anything written is about an older part of the stream.
    StreamQueue early;
    early.written(at(0), 309, 171, Rate);
    early.serverRanDry(at(10));
    QVERIFY(!early.isDry(at(10)));
}

void SoundStreamTest::serverThatStoodStillStillHoldsWhatItWasGiven()
{
    // The server took no samples for 110 ms; then it asked for 170 frames, so it still held 310
    // of the 480 it had been given. The rest of the sound follows them instead of being written
    // where the server reads, over them; its word that it ran dry, coming with that request, is
    // about the time it stood still.
    StreamQueue queue;
    queue.written(at(0), 309, 171, Rate);
    QVERIFY(queue.isDry(at(110)));
    queue.serverHolds(at(110), 310, Rate);
    QVERIFY(!queue.isDry(at(110)));
    queue.written(at(110), 310, 170, Rate);
    queue.serverRanDry(at(110.4));
    QVERIFY(!queue.isDry(at(111)));
    // A server that asks for all it can take holds nothing: the stream stays dry.
    StreamQueue empty;
    empty.written(at(0), 309, 171, Rate);
    empty.serverHolds(at(40), 0, Rate);
    QVERIFY(empty.isDry(at(40)));
}

QTEST_GUILESS_MAIN(SoundStreamTest)
#include "test_soundstream.moc"
