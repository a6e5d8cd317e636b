// The table of vandor-cli's commands and its usage text.
#include "cli.h"
#include <cstdio>

namespace Cli {

namespace {

const Command table[] = {
    {"hexdump", "FILE|BOARD/ID [--model TITLE] [--values]",
     "Prints a dump file or snapshot as the program's hex dump, after its checks; --values prints one line "
     "per value instead. --model may be left out for a snapshot, which names its model.",
     runHexdump},
    {"diff", "A B [--model TITLE] [--machine NAME]",
     "Lists every parameter that differs between two dump files or snapshots (BOARD/ID as history "
     "prints it, or ID alone of the machine --machine names), one line each: address, [group], "
     "label, and both values. --model may be left out when a snapshot names the model. Exit status "
     "0 when equal, 1 when different, 2 on error.",
     runDiff},
    {"discover", "[--timeout MS] [--bridge HOST [--password PW | --password-file FILE]] [--no-usb] [--json]",
     "Lists every board found on USB, on the UDP bridge path and behind network bridges, one line "
     "each: link, name, identity words and model. Network bridges themselves are listed without being "
     "opened unless named with --bridge. Exit status 1 when none is found or one does not open.",
     runDiscover},
    {"info", "LINK [--json]", "Prints the board's link, name, identity words and model.", runInfo},
    {"read", "LINK -o FILE [--machine NAME]", "Reads the whole configuration and saves it as the model's dump file.", runRead},
    {"write", "LINK FILE [--store] [--no-verify] [--force] [--machine NAME]",
     "Checks a dump file, writes it to the board and reads it back to verify; --store then saves it "
     "in the board's memory.",
     runWrite},
    {"store", "LINK", "Stores the board's working configuration in its memory (saveCfg).", runStore},
    {"backup", "[LINK...] [--all] [--timeout MS] [--json]",
     "Backs up several boards in turn: each is opened, read, kept as a snapshot of its machine in the "
     "history (as read keeps it) and closed; a board that fails leaves the others to go on. LINK may be "
     "repeated (--tcp A --tcp B --udp C); --all takes every board discover finds, network bridges "
     "themselves left out. One line per board: machine, model, link and address, then done, unchanged "
     "(the same as its last snapshot) or failed with the reason.",
     runBackup},
    {"apply", "--from DUMP|BOARD/ID --only KEY[,KEY...] LINK... [--store]",
     "Writes chosen values of a dump or snapshot to several boards of its model: for each board the "
     "configuration is read and kept as a snapshot, the values that change are listed, written alone, "
     "read back and checked, and with --store stored. KEY is a value's address or name as hexdump "
     "--values prints it. A value the board's variant lacks is skipped; a board of another model is "
     "refused in its line.",
     runApply},
    {"firmware", "--tcp HOST --bridge FILE",
     "Sends a firmware file to the network bridge at HOST, after the same checks as the program makes.",
     runFirmware},
    {"history", "LINK [--machine NAME] | --machine NAME [--rename NEW] | --export-git DIR",
     "Lists the snapshots kept of one machine (after every whole read, before every write), oldest "
     "first: BOARD/ID, time, model, how it was reached, program version, machine. A board on USB or "
     "the UDP bridge path is its machine when it holds exactly one machine's last snapshot of its "
     "identity; otherwise read, write and history need --machine NAME and end with exit status 2. "
     "--export-git DIR keeps every machine's snapshots in the git repository DIR: one folder per "
     "machine with its dump and its values as text, one commit per snapshot in time order; a later "
     "export adds only the snapshots taken since.",
     runHistory},
};

} // namespace

void usage(FILE *to)
{
    std::fprintf(to, "Usage: vandor-cli COMMAND [options]\n\nCommands:\n");
    for (const Command &c : table)
        std::fprintf(to, "  %-8s %s\n", c.name, c.synopsis);
    std::fprintf(to, "\nLINK is --usb [BUS:ADDR], --udp HOST[:PORT] or --tcp HOST[:PORT] [--bridge --password PW | --password-file FILE],\n"
                     "each with [--timeout MS].\n"
                     "'vandor-cli COMMAND --help' describes a command.\n"
                     "Exit status: 0 done, 1 the board or link failed, 2 usage or file errors.\n");
}

const Command *commands(int *count)
{
    *count = int(sizeof table / sizeof table[0]);
    return table;
}

} // namespace Cli
