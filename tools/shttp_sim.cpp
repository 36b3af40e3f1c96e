// A stand-in S-HTTP server for the tests and the demo, on 127.0.0.1 only. It answers the handshake,
// the ping and the POST probe, in the mode its options give, records every request and ends when it
// gets SIGTERM or SIGINT, or when its lifetime is over.
//
//   shttp_sim [OPTION]...
//     --port N               listen on port N; 0 (the default) picks a free one
//     --log FILE             append "METHOD TARGET BODY-LENGTH" per request received, and after a
//                            body that is not empty what its bytes are: "every byte 0xHH" when all
//                            are the same, otherwise "mixed bytes"
//     --lifetime SECONDS     end after this long (default 900)
//     --handshake-status N   status of GET /shttp/handshake/req_env (default 200)
//     --headers WHICH        S-HTTP headers of the handshake: both (default), no-version, no-time,
//                            lower-case (both, names in lower case)
//     --ping-status N        status of GET /shttp/ping (default 200)
//     --ping-text TEXT       its text (default 1234)
//     --upload-limit KB      refuse a POST whose body is larger than KB kilobytes
//     --refuse-posts         refuse every POST
//     --refuse-status N      the status of a refused POST (default 413)
//     --drop-refused         drop the connection of a refused POST instead, with no answer
//
// Once listening it prints "127.0.0.1:PORT" and a line end on its standard output.
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace {

struct Mode {
  int port = 0;
  std::string log;
  int lifetimeSeconds = 900;
  int handshakeStatus = 200;
  std::string headers = "both";
  int pingStatus = 200;
  std::string pingText = "1234";
  std::optional<std::size_t> uploadLimit;  // bytes
  bool refusePosts = false;
  int refuseStatus = 413;
  bool dropRefused = false;
};

[[noreturn]] void Usage(const std::string& problem) {
  std::cerr << "shttp_sim: " << problem << " (options: see the top of tools/shttp_sim.cpp)\n";
  std::exit(2);
}

Mode ParseArguments(int argc, char** argv) {
  Mode mode;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--refuse-posts" || option == "--drop-refused") {
      (option == "--refuse-posts" ? mode.refusePosts : mode.dropRefused) = true;
      continue;
    }
    if (i + 1 == argc) Usage("missing value after " + option);
    const std::string value = argv[++i];
    const auto number = [&] {
      try {
        return std::stoi(value);
      } catch (const std::exception&) {
        Usage("not a number after " + option + ": " + value);
      }
    };
    if (option == "--port") mode.port = number();
    else if (option == "--log") mode.log = value;
    else if (option == "--lifetime") mode.lifetimeSeconds = number();
    else if (option == "--handshake-status") mode.handshakeStatus = number();
    else if (option == "--headers") mode.headers = value;
    else if (option == "--ping-status") mode.pingStatus = number();
    else if (option == "--ping-text") mode.pingText = value;
    else if (option == "--upload-limit") mode.uploadLimit = static_cast<std::size_t>(number()) * 1024;
    else if (option == "--refuse-status") mode.refuseStatus = number();
    else Usage("unknown option " + option);
  }
  if (mode.headers != "both" && mode.headers != "no-version" && mode.headers != "no-time" &&
      mode.headers != "lower-case")
    Usage("unknown --headers " + mode.headers);
  return mode;
}

// The upload probe sends one byte value throughout: the record names it, so that a test sees both
// the byte and the length of a body without keeping it.
std::string BodyBytes(const std::string& body) {
  if (body.empty()) return "";
  if (body.find_first_not_of(body[0]) != std::string::npos) return " mixed bytes";
  char text[32];
  std::snprintf(text, sizeof text, " every byte 0x%02X", static_cast<unsigned char>(body[0]));
  return text;
}

std::string ServerTime() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d%H%M%S", &utc);
  return text;
}

// Handlers do not see their socket: find it by the client's port on the loopback address and shut
// it, so that the client gets no answer at all.
void DropConnection(int clientPort) {
  for (int fd = 3; fd < 1024; ++fd) {
    sockaddr_in peer{};
    socklen_t size = sizeof peer;
    if (getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &size) == 0 && peer.sin_family == AF_INET &&
        ntohs(peer.sin_port) == clientPort && ntohl(peer.sin_addr.s_addr) == INADDR_LOOPBACK) {
      shutdown(fd, SHUT_RDWR);
      return;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const Mode mode = ParseArguments(argc, argv);

  // The stop signals are taken by one thread that waits for them or for the end of the lifetime.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGINT);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  std::mutex logLock;
  std::ofstream log;
  if (!mode.log.empty()) {
    log.open(mode.log, std::ios::app);
    if (!log) Usage("cannot write " + mode.log);
  }

  httplib::Server server;
  // Headers and body go out in separate writes: without this, each answer waits for the client's
  // delayed acknowledgement, and that wait would swamp every figure taken against the simulator.
  server.set_tcp_nodelay(true);
  server.set_logger([&](const httplib::Request& request, const httplib::Response&) {
    if (!log.is_open()) return;
    const std::lock_guard lock(logLock);
    log << request.method << ' ' << request.target << ' ' << request.body.size() << BodyBytes(request.body)
        << std::endl;
  });

  server.Get("/shttp/handshake/req_env", [&](const httplib::Request&, httplib::Response& response) {
    response.status = mode.handshakeStatus;
    const bool lower = mode.headers == "lower-case";
    if (mode.headers != "no-version") response.set_header(lower ? "s-http-version" : "S-HTTP-Version", "1.0");
    if (mode.headers != "no-time") response.set_header(lower ? "server-time" : "Server-Time", ServerTime());
    response.set_content("OK", "text/plain");
  });
  server.Get("/shttp/ping", [&](const httplib::Request&, httplib::Response& response) {
    response.status = mode.pingStatus;
    response.set_content(mode.pingText, "text/plain");
  });
  server.Post("/shttp/ping", [&](const httplib::Request& request, httplib::Response& response) {
    if (mode.refusePosts || (mode.uploadLimit && request.body.size() > *mode.uploadLimit)) {
      if (mode.dropRefused) DropConnection(request.remote_port);
      response.status = mode.refuseStatus;
      response.set_content("refused", "text/plain");
      return;
    }
    response.set_content("1234", "text/plain");
  });

  const int port = mode.port == 0 ? server.bind_to_any_port("127.0.0.1")
                                   : (server.bind_to_port("127.0.0.1", mode.port) ? mode.port : -1);
  if (port <= 0) {
    std::cerr << "shttp_sim: cannot listen on 127.0.0.1:" << mode.port << '\n';
    return 1;
  }

  std::thread stopper([&] {
    const timespec lifetime{mode.lifetimeSeconds, 0};
    sigtimedwait(&stopSignals, nullptr, &lifetime);
    server.stop();
  });
  std::cout << "127.0.0.1:" << port << std::endl;
  const bool served = server.listen_after_bind();
  // When listening failed the stopper still waits: wake it (the signal stays pending otherwise).
  kill(getpid(), SIGTERM);
  stopper.join();
  return served ? 0 : 1;
}
