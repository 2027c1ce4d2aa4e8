#pragma once
// settings.ini, read and written by hand: the file is kept line for line, so comments,
// other sections and other keys survive every write, and the file is released at once.
#include <QString>
#include <QStringList>

#include <optional>

namespace vornix {

class IniFile {
  public:
    explicit IniFile(QString path);

    // Reads the whole file; false (and an empty file in memory) when it cannot be read.
    bool load();
    // The value of key in section (names compared without case, spaces around the value
    // and one pair of surrounding quotes removed), or nothing when absent.
    std::optional<QString> value(const QString& section, const QString& key) const;
    // Replaces the key's value in place, or adds the key at the end of its section, or
    // adds the section at the end of the file.
    void setValue(const QString& section, const QString& key, const QString& value);
    // Writes beside the target and renames over it, so a failure leaves the old file whole.
    bool save() const;

    const QString& path() const { return path_; }
    QString text() const;

    // A profile number: decimal with an optional sign, or hexadecimal after "0x"/"0X",
    // within 32 bits. Anything else is not a number.
    static std::optional<qint32> parseInt(const QString& text);
    // A profile boolean: any non-zero number is true, zero false, anything else fallback.
    static bool parseBool(const std::optional<QString>& text, bool fallback);

  private:
    // Index range [first, last) of the lines of the first section named section; first is
    // the header line. Nothing when the section is absent.
    std::optional<std::pair<int, int>> findSection(const QString& section) const;

    QString path_;
    QStringList lines_;
    QString eol_;
};

} // namespace vornix
