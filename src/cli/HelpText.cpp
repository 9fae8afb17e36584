#include "cli/CommandLine.h"

namespace vantelo::cli {

const char* HelpText() {
    return R"(usage: vantelo-cli [--cfg DIR] [--interface NAME|ADDRESS] COMMAND [OPTIONS]

The console's engine for scripts: the same rules, texts and datagrams as the window.

Commands:
  discover [--timeout MS] [--json]
      One discovery broadcast; lists the agents that answered within MS milliseconds
      (default 2000), as a table or as a JSON array.
  watch [--interval SECONDS] [--json] [--metrics ADDRESS:PORT] [--syslog TARGET]
      Polls the monitor list every 15, 30, 60, 120 or 300 seconds (default 15) and prints
      agents declared not alive, agents alive again and traps, one line or JSON object each;
      appends to syslog.log as the window does. Runs until interrupted (SIGINT or SIGTERM).
      --metrics serves Prometheus metrics at http://ADDRESS:PORT/metrics (an IPv4 address,
      or an IPv6 address in brackets: 127.0.0.1:9477 for this machine only).
      --syslog udp://HOST:PORT or unix:PATH also sends every log line as an RFC 5424
      message; a server that is down loses messages, the watch goes on.
  set TARGETS [--ip A] [--mask M] [--gateway G] [--trap-ip T] [--system-name S]
              [--location L] [--dhcp on|off] PASSWORD [--timeout MS]
      Configuration setting; options left out keep the agent's values. --ip needs a single
      target.
  password TARGETS NEW-PASSWORD PASSWORD [--timeout MS]
      Password change.
  upgrade TARGETS --file F PASSWORD [--timeout MS] [-q|--quiet]
      Firmware upgrade over TFTP, then verification by rediscovery. Progress on standard
      error by phase: the trigger, the transfer with its rate and time left, the
      verification's attempts ("verifying 7/110"); a bar on a terminal, lines otherwise; -q
      shows none.
  monitor list [--json|--csv]
  monitor add IP [--timeout MS] [--no-wait] | monitor remove IP
  monitor import FILE | monitor export FILE
      The monitor list in monitor.cfg: the same file bytes and the same limit of 256 agents
      as the window. add then asks the agent once and stores its answer if it comes within
      MS milliseconds (default 2000); a silent agent stays listed by its address alone.
      --no-wait adds without asking. FILE - is standard input (import) or standard output (export).

TARGETS is one or more agents, or --monitored for every agent of the monitor list. They are
worked on one after another; a failure does not stop the rest unless --stop-on-failure is
given. With several targets, --monitored or --json, each target's outcome is a line (a JSON
object with --json) on standard output, then a summary, and the exit code is the worst one:
the largest code of the targets.

Options:
  --cfg DIR     the configuration directory (define.ecf, monitor.cfg, syslog.log); default
                the window's: cfg/ beside the executable, or ~/.config/vantelo when installed
  --interface NAME|ADDRESS
                the network interface broadcasts to every agent go out of, by its name or
                its IPv4 address (default: every interface that is up, is not loopback and
                can broadcast); a request to one agent always leaves through the interface
                that agent answered on
  --timeout MS  how long set, password and upgrade look for the agent and wait for its answer
                (default 5000)
  -h, --help    this text;  -v, --version  the version

PASSWORD is, first found first taken:
  --password-file FILE  the first line of FILE; - reads it from standard input
  --password P          visible to every user of the machine (ps, /proc) and kept in the
                        shell's history: use the file or the environment instead
  VANTELO_PASSWORD      the environment variable
NEW-PASSWORD likewise: --new-password-file FILE, --new-password N, VANTELO_NEW_PASSWORD.

An agent is named by its MAC address (12 hexadecimal digits, pairs optionally separated by
':' or '-') or by its IP address. Messages go to standard error; results and JSON to standard
output.

Exit codes:
  0  done (set and password: the agent confirmed; upgrade: "Upgrade successful")
  1  the agent refused; its result text is on standard error
  2  bad arguments, or a form or choice the window's rules refuse; nothing was sent
  3  no answer in time: the agent was not found, did not reply or was not seen again
  4  the agent cannot take it: loader mode, protocol or interface version
  5  the network cannot be used: ports held by another program, no interface, a send failed
  6  a file could not be read or written, standard output included
They follow what the engine told of the operation; when it fails in several ways, the first
cause counts (a trigger the agent refused is never acknowledged: 1, not 3).
)";
}

}  // namespace vantelo::cli
