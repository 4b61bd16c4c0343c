// A technician's whole session: type all 20 slots, save, and find every
// byte where the file format puts it; then open the file in a new dialog and
// see every slot as it was typed.

#include <QFile>
#include <QPushButton>
#include <QTest>
#include <array>
#include <cstring>

#include "tests/ui/qt/UiTestSupport.h"

using namespace sci;
using namespace sci::test;

namespace {

struct TypedSlot {
  QString server;
  QString port;
  QString key;
  QString userName;
  QString password;
};

TypedSlot typedSlot(int index) {
  const QString n = QString::number(index);
  QString key;
  for (int b = 0; b < 14; ++b) {
    if (b != 0) key += u' ';
    key += QStringLiteral("%1").arg((index * 16 + b + 1) & 0xFF, 2, 16, QChar(u'0')).toUpper();
  }
  return {QStringLiteral("host-%1.example.net").arg(n), QString::number(40000 + index * 7), key,
          QStringLiteral("tech%1").arg(n), QStringLiteral("pw-%1x").arg(n)};
}

// The 92 bytes the slot must hold, built from the record layout alone: an
// empty slot's bytes with each typed text, its zero byte, the port and the
// key laid over them.
std::array<std::uint8_t, kEntrySize> expectedSlotBytes(const TypedSlot& slot) {
  std::array<std::uint8_t, kEntrySize> raw{};
  std::memcpy(raw.data(), &DefaultEntry(), kEntrySize);
  const auto putText = [&raw](std::size_t offset, const QString& text) {
    const QByteArray bytes = text.toLatin1();
    std::memcpy(raw.data() + offset, bytes.data(), std::size_t(bytes.size()));
    raw[offset + std::size_t(bytes.size())] = 0;
  };
  putText(0, slot.server);
  raw[31] = 0;
  const std::uint32_t port = slot.port.toUInt();
  for (int i = 0; i < 4; ++i) raw[32 + i] = std::uint8_t(port >> (8 * i));
  const QStringList keyBytes = slot.key.split(u' ');
  for (int i = 0; i < 14; ++i) raw[36 + i] = std::uint8_t(keyBytes[i].toUInt(nullptr, 16));
  putText(52, slot.userName);
  putText(72, slot.password);
  return raw;
}

std::uint32_t le32(const QByteArray& file, int offset) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | std::uint8_t(file[offset + i]);
  return v;
}

void typeInto(DialogRun& run, const char* field, const QString& text) {
  FieldEdit* edit = run.field(field);
  run.clear(edit);
  QTest::keyClicks(edit, text);
}

}  // namespace

class RoundTripTest : public QObject {
  Q_OBJECT

 private slots:
  void typedListSavesByteForByteAndOpensAgain();
};

void RoundTripTest::typedListSavesByteForByteAndOpensAgain() {
  Workspace ws;
  const auto configPath = ws.writeGoodConfig();
  {
    DialogRun run(configPath);
    for (int i = 0; i < int(kEntryCount); ++i) {
      const TypedSlot slot = typedSlot(i);
      typeInto(run, "serverEdit", slot.server);
      typeInto(run, "portEdit", slot.port);
      typeInto(run, "keyEdit", slot.key);
      typeInto(run, "userNameEdit", slot.userName);
      typeInto(run, "passwordEdit", slot.password);
      if (i + 1 < int(kEntryCount)) run.step(+1);
    }
    run.prompts.chosen.push_back(toPath(ws.qpath(QStringLiteral("typed"))));
    QTest::mouseClick(run.button("saveButton"), Qt::LeftButton);
    QCOMPARE(run.prompts.messages.size(), 0);
  }

  QFile file(ws.qpath(QStringLiteral("typed.bin")));
  QVERIFY(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  QCOMPARE(bytes.size(), 4124);

  // Header: the configuration's values, the body length and the checksum.
  QCOMPARE(le32(bytes, 0), 0x89abcdefu);
  QCOMPARE(le32(bytes, 4), 4096u);
  std::uint32_t sum = 0;
  for (int i = 28; i < 4124; ++i) sum += std::uint8_t(bytes[i]);
  QCOMPARE(le32(bytes, 8), ~sum);
  QCOMPARE(std::uint8_t(bytes[14]), std::uint8_t(0x42));
  QCOMPARE(std::uint8_t(bytes[15]), std::uint8_t(0));
  QCOMPARE(std::uint16_t(std::uint8_t(bytes[16]) | std::uint8_t(bytes[17]) << 8),
           std::uint16_t(0x1234));

  // Body: each table byte b stored as b + 129, then 0xFF filler.
  const auto stored = [&bytes](int tableOffset) {
    return std::uint8_t(std::uint8_t(bytes[28 + tableOffset]) - 129);
  };
  QCOMPARE(stored(21), std::uint8_t(0x13));
  QCOMPARE(stored(22), std::uint8_t(0x8F));
  QCOMPARE(stored(23), std::uint8_t(0x8E));
  for (int i = 0; i < int(kEntryCount); ++i) {
    const auto expected = expectedSlotBytes(typedSlot(i));
    for (int k = 0; k < int(kEntrySize); ++k) {
      if (stored(28 + 92 * i + k) != expected[std::size_t(k)]) {
        QFAIL(qPrintable(QStringLiteral("slot %1 byte %2 differs").arg(i + 1).arg(k)));
      }
    }
  }
  for (int i = 28 + 1868; i < 4124; ++i) QCOMPARE(std::uint8_t(bytes[i]), std::uint8_t(0xFF));

  // A new session opens the file and shows every slot as typed.
  DialogRun reopened(configPath);
  reopened.openList(ws.qpath(QStringLiteral("typed.bin")));
  QCOMPARE(reopened.prompts.messages.size(), 0);
  for (int i = 0; i < int(kEntryCount); ++i) {
    const TypedSlot slot = typedSlot(i);
    QCOMPARE(reopened.position()->value(), i + 1);
    QCOMPARE(reopened.field("serverEdit")->text(), slot.server);
    QCOMPARE(reopened.field("portEdit")->text(), slot.port);
    QCOMPARE(reopened.field("keyEdit")->text(), slot.key);
    QCOMPARE(reopened.field("userNameEdit")->text(), slot.userName);
    QCOMPARE(reopened.field("passwordEdit")->text(), slot.password);
    reopened.step(+1);
  }
  QCOMPARE(reopened.position()->value(), 1);  // wrapped round from 20
}

QTEST_MAIN(RoundTripTest)
#include "RoundTripTest.moc"
