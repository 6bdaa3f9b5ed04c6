# Sourced by test.sh: a CUPS of the suite's own with the PDF printer of cups-pdf, for
# the test that prints through a real queue. Its configuration, spool and socket live in
# the build folder's "cups" folder (CTest gives that test alone the socket as
# CUPS_SERVER, so no other program sees a printer); the system's CUPS (if any) is left
# alone. The test finds the PDFs through VORN_CUPS_PDF_DIR; without it, it skips.
cups_dir=""
cups_pid=""

write_private_cups_config() {
  cat >"$cups_dir/cupsd.conf" <<CONF
Listen $cups_dir/cups.sock
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
CONF
  cat >"$cups_dir/cups-files.conf" <<CONF
ServerRoot $cups_dir
RequestRoot $cups_dir/spool
TempDir $cups_dir/tmp
CacheDir $cups_dir/cache
StateDir $cups_dir/state
ErrorLog $cups_dir/log/error_log
AccessLog $cups_dir/log/access_log
PageLog $cups_dir/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
User lp
Group lp
SystemGroup root
CONF
}

start_private_cups() {
  local folder=$1 reason="" ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd out
  if [ ! -x /usr/sbin/cupsd ] || [ ! -x /usr/lib/cups/backend/cups-pdf ] || [ ! -f "$ppd" ]; then
    reason="cups or printer-driver-cups-pdf is not installed"
  elif [ "$(id -u)" -ne 0 ]; then
    # cups-pdf writes as the job's user only under a scheduler running as root.
    reason="the PDF printer needs a scheduler running as root"
  fi
  if [ -n "$reason" ]; then
    vorn_log "no private CUPS: $reason"
    return 0
  fi
  cups_dir=$folder
  rm -rf "$cups_dir"
  mkdir -p "$cups_dir"/{spool,tmp,cache,state,log}
  chmod 755 "$cups_dir"
  chgrp lp "$cups_dir"/{spool,tmp,cache} 2>/dev/null || true
  chmod 770 "$cups_dir"/{spool,tmp,cache}
  write_private_cups_config
  /usr/sbin/cupsd -f -c "$cups_dir/cupsd.conf" -s "$cups_dir/cups-files.conf" >"$cups_dir/log/cupsd.log" 2>&1 &
  cups_pid=$!
  for _ in $(seq 200); do [ -S "$cups_dir/cups.sock" ] && break; sleep 0.05; done
  if ! CUPS_SERVER="$cups_dir/cups.sock" lpadmin -p VornPDF -E -v cups-pdf:/ -P "$ppd" >/dev/null 2>&1 ||
    ! CUPS_SERVER="$cups_dir/cups.sock" lpadmin -d VornPDF >/dev/null 2>&1; then
    vorn_log "no private CUPS: the scheduler did not take the PDF printer"
    stop_private_cups
    return 0
  fi
  # Where cups-pdf puts a root job's PDF.
  out=$(sed -n 's/^Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -n 1)
  out=${out:-'${HOME}/PDF'}
  out=${out//'${HOME}'/$HOME}
  export VORN_CUPS_PDF_DIR="$out"
  vorn_log "private CUPS at $cups_dir/cups.sock, PDFs in $out"
}

stop_private_cups() {
  [ -n "$cups_pid" ] && kill "$cups_pid" 2>/dev/null || true
  [ -n "$cups_pid" ] && wait "$cups_pid" 2>/dev/null || true
  [ -n "$cups_dir" ] && rm -rf "$cups_dir"
  cups_pid=""
  cups_dir=""
  unset VORN_CUPS_PDF_DIR
}
