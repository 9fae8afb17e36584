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
  set MAC|IP [--ip A] [--mask M] [--gateway G] [--trap-ip T] [--system-name S]
             [--location L] [--dhcp on|off] --password P [--timeout MS]
      Configuration setting of one agent; options left out keep the agent's values.
  password MAC|IP --new-password N --password P [--timeout MS]
      Password change of one agent.
  upgrade MAC|IP --file F --password P [--timeout MS]
      Firmware upgrade over TFTP, then verification by rediscovery.
  monitor list [--json|--csv]
  monitor add IP | monitor remove IP
  monitor import FILE | monitor export FILE
      The monitor list in monitor.cfg: the same file bytes and the same limit of 256 agents
      as the window.

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

An agent is named by its MAC address (12 hexadecimal digits, pairs optionally separated by
':' or '-') or by its IP address. Messages go to standard error; results and JSON to standard
output.

Exit codes:
  0  done (set and password: the agent confirmed; upgrade: "Upgrade successful")
  1  the agent refused or did not answer, or the network could not be used
  2  bad arguments or files (argument errors are found before anything is sent; a form
     the dialog refuses sends no request)
)";
}

}  // namespace vantelo::cli
