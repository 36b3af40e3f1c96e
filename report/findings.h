#pragma once
// What a check run found, as data beside the report's lines: every part of the run records here
// what it reads and decides, so that a document for scripts needs no second diagnosis. It lives
// with the report because every part that writes lines already holds the report, whatever its
// folder. A value the run did not reach, or the machine would not tell, stays empty (no value).
#include <optional>
#include <string>
#include <vector>

struct AdapterFinding {
  std::string ip;
  std::string mac;
  std::optional<std::string> gateway;  // none: the adapter has no gateway
};

struct ComponentFinding {
  std::string name;  // the catalogue's display name
  std::optional<std::string> foundPath;
  std::optional<std::string> registeredPath;
  std::optional<std::string> fileVersion;  // "major.minor.build.revision"; none without a version resource
  std::optional<bool> objectCreated;
};

struct ServerTestFinding {
  std::string name;     // "headers", "ping", "postSize"
  std::string outcome;  // "passed", "failed", "notShttpServer", "networkFiltered"
  int status = 0;       // the last request's status
};

struct Findings {
  // System information. adapters: none when the list could not be read; empty when there is none.
  std::optional<std::vector<AdapterFinding>> adapters;
  std::optional<std::string> proxy;
  std::optional<std::string> diskSerial;
  std::optional<std::string> volumeSerial;

  // Installation.
  std::optional<std::string> installFolder;
  std::optional<bool> protocolHandlerRegistered;
  std::optional<bool> killBitSet;
  std::vector<ComponentFinding> components;  // one per catalogue row, in row order; the check run sizes it

  // Server tests, in the order they ran.
  std::vector<ServerTestFinding> serverTests;
  std::optional<int> largestUploadKb;  // the size that passed the upload probe

  // The verdict: the lines after the verdict separator, and the repair files it wrote.
  std::vector<std::string> advice;
  std::vector<std::string> repairFiles;  // full paths
};
