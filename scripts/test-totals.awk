# Counts a suite's test cases from CTest's log and the GoogleTest programs' reports.
#   awk -v reports=<folder of <program>.xml> -f test-totals.awk <ctest log>
# Prints "<passed> <skipped> <failed>" on the first line, then "<case>: <reason>" for
# each skipped case. A program without a report (a plain program, or one that stopped
# before writing it) counts as one case of CTest's verdict; a program CTest failed
# counts as at least one failed case, even when its report shows none (it failed after
# its cases, say on the way out).

# CTest's verdict lines, e.g. "  3/63 Test #12: name .....***Failed    1.20 sec". A
# program run again after a time-out has several: the last one holds.
/Test +#[0-9]+: / {
  line = $0
  sub(/.*Test +#[0-9]+: /, "", line)
  name = line
  sub(/ .*/, "", name)
  verdict = substr(line, length(name) + 1)
  sub(/^[ .]*(\*\*\*)?/, "", verdict)
  sub(/ .*/, "", verdict)
  if (!(name in status))
    order[++programs] = name
  status[name] = verdict
}

function attribute(text, key,    value) {
  if (!match(text, " " key "=\"[^\"]*\""))
    return ""
  value = substr(text, RSTART + length(key) + 3, RLENGTH - length(key) - 4)
  return value
}

function unescape(text) {
  gsub(/&quot;/, "\"", text)
  gsub(/&apos;/, "'", text)
  gsub(/&lt;/, "<", text)
  gsub(/&gt;/, ">", text)
  gsub(/&#x0D;/, "", text)
  gsub(/&amp;/, "\\&", text)
  return text
}

# Adds a report's cases; returns 0 when the program has no report.
function count_report(file,    text, found, tests, failures, disabled, skips, pending, reason) {
  found = 0
  pending = ""
  while ((getline text < file) > 0) {
    found = 1
    if (text ~ /<testsuite /) {
      tests = attribute(text, "tests") + 0
      failures = attribute(text, "failures") + 0
      disabled = attribute(text, "disabled") + 0
      skips = attribute(text, "skipped") + 0
      passed += tests - failures - disabled - skips
      skipped += skips
      failed += failures
      program_failures += failures
    } else if (text ~ /<testcase / && attribute(text, "result") == "skipped") {
      pending = attribute(text, "classname") "." attribute(text, "name")
      reasons[++skip_count] = pending
    } else if (pending != "" && text ~ /<skipped message=/) {
      # The message is "<file>:<line>&#x0A;<what the test said>".
      reason = unescape(attribute(text, "message"))
      sub(/^[^&]*&#x0A;/, "", reason)
      gsub(/&#x0A;/, " ", reason)
      sub(/^Skipped ?/, "", reason)
      if (reason != "")
        reasons[skip_count] = pending ": " reason
      pending = ""
    }
  }
  close(file)
  return found
}

END {
  passed = skipped = failed = 0
  for (i = 1; i <= programs; i++) {
    name = order[i]
    verdict = status[name]
    program_failures = 0
    if (count_report(reports "/" name ".xml")) {
      if (verdict != "Passed" && verdict != "Skipped" && program_failures == 0)
        failed++
    } else if (verdict == "Passed") {
      passed++
    } else if (verdict == "Skipped") {
      skipped++
      reasons[++skip_count] = name
    } else {
      failed++
    }
  }
  print passed, skipped, failed
  for (i = 1; i <= skip_count; i++)
    print reasons[i]
}
