// INI texts that exercise the matching rules (blanks, quotes, comments, duplicates, line
// ends, double-byte text), shared by the native test and the comparison with the platform.
#pragma once

#include <string>
#include <vector>

inline std::vector<std::string> TrickyIniFiles()
{
    return {
        // Blanks around names and values, tabs, CR LF, and a key before any section.
        "orphan=1\r\n[Main]\r\n  Name  =  value with  spaces  \r\n\tTab\t=\t7\t\r\nEmpty=\r\n"
        "Number = -12\r\nBad = 12abc\r\nBig=99999999999\r\n",
        // Lone CR and lone LF line ends, a file without a final line end.
        "[A]\rk1=v1\rk2=v2\n[B]\nk1=b1\r\n\r\n\nk3 = x=y=z",
        // Duplicate sections and keys (first wins), names in other letter case.
        "[Dup]\nkey=first\nKEY=second\n[other]\nx=1\n[DUP]\nkey=third\nextra=only here\n",
        // Quotes.
        "[Q]\nq1=\"abc\"\nq2='abc'\nq3=\"abc'\nq4=\"\"\nq5=\"\nq6=\" padded \"\nq7=\"a\"b\"\nq8='x\n"
        "q9=  \"  x  \"  \n",
        // Comments, lines without '=', inline semicolons, '#', an empty name.
        "[C]\n;hidden=yes\n  ; spaced=comment\nplain line\nkey=value ;not a comment\n#hash=1\n"
        "after=ok\n=nameless\n",
        // Section headers: blanks inside, missing ']', text after ']'.
        "[ Spaced ]\ns=1\n[Open\no=2\n[Tail]junk\nt=3\n[]\ne=4\n[Last]\nl=5\n",
        // GBK: Chinese names and values, a character whose trail byte is ']' (81 5D) in a
        // section name, trail byte '\\' (81 5C), full-width spaces (A1 A1), which are kept.
        "[\xD6\xD0\xCE\xC4]\n\xC3\xFB\xB3\xC6=\xD6\xB5\n\xC2\xB7\xBE\xB6=C:\\\x81\x5C\\a.bmp\n"
        "[\x81\x5D\xCD\xB7]\nk=\xA1\xA1\xD6\xB5\xA1\xA1\n",
        // A UTF-8 byte order mark with Chinese text.
        "\xEF\xBB\xBF[\xE4\xB8\xAD]\n\xE5\x90\x8D=\xE5\x80\xBC\n",
        // Ctrl-Z and other control blanks at the ends of lines.
        "[Z]\nz1=one\x1A\nz2=\v two \f\n",
    };
}
