#include "cli/CommandList.h"

#include "search/Commands.h"
#include "search/TextPatternSearch.h"

#include <algorithm>
#include <ostream>
#include <string_view>

namespace quorvel {

namespace {

// A hyphen as roff prints it: a minus sign, as a command line has it.
std::string roff(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (c == '-' || c == '\\')
            out += '\\';
        out += c;
    }
    return out;
}

}  // namespace

std::vector<ListedCommand> ListedCommands()
{
    std::vector<ListedCommand> listed;
    for (const Command& command : Commands())
        listed.push_back({command.name, command.answers});
    listed.push_back({TextCommand,
                      "every piece of text PATTERN matches in the scenario's texts, and every place it was matched "
                      "(see the text search's options)"});
    listed.push_back({CheckAll,
                      "every check in menu order, one answer after another; with --json one JSON "
                      "object a line, one line per check, each what that check alone prints; with --csv one "
                      "table whose first column names the check"});
    return listed;
}

void PrintHelp(std::ostream& out)
{
    out << "usage: quorvel-cli [--json | --csv] [--sort N] COMMAND PATH\n"
           "       quorvel-cli [--json | --csv] [--sort N] link ARCHIVE ENTRY\n"
           "       quorvel-cli [--json | --csv] [--sort N] [--case] [--regex] [--whole] [--join-lines] [--in KINDS]\n"
           "                   text PATTERN PATH\n"
           "       quorvel-cli --help | --version\n\n"
           "PATH is a scenario folder, any file inside one (for an .xml file, the nearest folder above it that holds\n"
           "Summary.xml), or an archive (.wsn, .zip, .cab, .lzh); for link, the data file to read (.wid or .xml),\n"
           "or an archive and the data file in it to read, ENTRY as the file column shows it (Area/Area1.xml).\n"
           "--json     print one UTF-8 JSON object: the messages raised and every name with its rows\n"
           "--csv      print the answer as CSV, as the window saves it (UTF-8 with a byte-order mark, a header\n"
           "           line, a line per row; for check one table, its first column the check)\n"
           "--sort N   sort each name's rows as a click on result column N (0..6) would; 0 keeps filing order\n"
           "-h, --help      print this help\n"
           "-V, --version   print the version\n\n"
           "commands:\n";
    const std::vector<ListedCommand> listed = ListedCommands();
    std::size_t width = 0;
    for (const ListedCommand& command : listed)
        width = std::max(width, command.name.size());
    for (const ListedCommand& command : listed)
        out << "  " << command.name << std::string(width + 2 - command.name.size(), ' ') << command.answers << "\n";
    out << "\ntext search options:\n"
           "  (default)     letter case and full/half width are ignored; line breaks count\n"
           "  --case        letter case and width count\n"
           "  --regex       PATTERN is an ICU regular expression, case-insensitive unless --case\n"
           "  --whole       PATTERN must match a whole field\n"
           "  --join-lines  line breaks and the blanks around them are left out before matching\n"
           "  --in KINDS    only these kinds of text: kind words or these words, comma-separated:\n";
    for (const TextFieldGroup& group : TextFieldGroups())
        out << "                  " << group.word << std::string(12 - std::string_view(group.word).size(), ' ')
            << group.kindWords << "\n";
    out << "\nexit status: 0 answered without messages (and a check found nothing), 1 a message was raised or a\n"
           "check found something, 2 wrong usage, no such PATH, or a folder that holds no scenario\n";
}

std::string ManPageCommands()
{
    std::string roffText;
    for (const ListedCommand& command : ListedCommands())
        roffText += ".TP\n.B " + roff(command.name) + "\n" + roff(command.answers) + "\n";
    return roffText;
}

}  // namespace quorvel
