# Which PCs have which fault: one line per question, naming the PCs (the documents' file names).
# Run as: jq -n -r -f fleet.jq DOCUMENT...
def pcs(cond): [.[] | select(cond) | .pc] | sort | join(" ");
def version: split(".") | map(tonumber);
[inputs | .pc = (input_filename | sub(".*/"; "") | sub("\\.json$"; ""))]
| (group_by(.result.name)[] | "result \(.[0].result.name): \(pcs(true))"),
  "product not installed: \(pcs(.findings.installFolder == null))",
  "core module below 7.0.2: \(pcs(.findings.components[] | select(.name == "VeltoraWebCore.dll")
                                 | .fileVersion != null and (.fileVersion | version) < [7, 0, 2]))",
  "S-HTTP headers filtered: \(pcs(any(.findings.serverTests[]; .name == "headers" and .outcome == "networkFiltered")))",
  "uploads limited: \(pcs(.findings.largestUploadKb != null and .findings.largestUploadKb < 100))",
  "kill bit set: \(pcs(.findings.killBitSet == true))"
