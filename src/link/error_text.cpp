#include "link/error_text.h"

namespace mqx {

namespace {

struct ErrorEntry {
    int code;
    const char* text;
};

// The trailing spaces of codes 10 and 24 are the unit's own and are kept.
constexpr ErrorEntry kErrorTexts[] = {
    {0, "ID_No differs."},
    {2, "The argument of the command is wrong."},
    {3, "The command is wrong."},
    {10, "The program number that I sent is wrong.  "},
    {11, "The program of the number is not effective."},
    {12, "There is not the space of new preservation."},
    {13, "The program is protected."},
    {14, "It is not able to store it as a normal program because the present program is "
         "special."},
    {15, "It is not able to store it as a special program because the present program is "
         "normal."},
    {16, "The program of the number is not effective.[Noraml]"},
    {17, "The program of the number is not effective.[Special]"},
    {20, "It was designated the parameter index that is not effective."},
    {21, "It was designated the parameter value that is not effective."},
    {22, "The range of the parameter value is not effective."},
    {23, "Index is wrong."},
    {24, "The value of the parameter that was designated is not able to change it. "},
    {30, "There was injustice data in the data that received it."},
};

} // namespace

bool ErrorText(int code, QString& destination) {
    for (const ErrorEntry& e : kErrorTexts) {
        if (e.code == code) {
            destination = QString::fromLatin1(e.text);
            return true;
        }
    }
    destination = QStringLiteral("Non Err Code.");
    return false;
}

QString ErrorText(int code) {
    QString text;
    ErrorText(code, text);
    return text;
}

} // namespace mqx
