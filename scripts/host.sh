# Sourced: which Windows build this machine can run, asked of its kernel once.
#
# The shipped Tonvale.exe is 32-bit x86 and runs under Wine's WoW64, whose 32-bit half is an
# i386 Linux program. Some x86-64 kernels run no 32-bit code at all (IA-32 emulation off): there
# the same sources' x86-64 build, in build/x64, runs under Wine's 64-bit loader instead, and the
# 32-bit build is still made and read without being run. TONVALE_FORCE_X64=1 takes that road on
# any host, so that both can be tried on one machine.
#
# tonvale_host sets and exports, once per run (a script started by another finds them set):
#   TONVALE_WINDOWS_BUILD  i686 or x64: the Windows build whose programs this host runs
#   TONVALE_WINDOWS_WHY    why, in a few words
# and, from those, TONVALE_PRESET and TONVALE_BUILD (the runnable build's preset and folder).

# Runs a 95-byte static i386 program that only exits with code 32. The kernel either runs it or
# refuses it; what the CPU or the distribution claims does not enter into it. Prints the
# kernel's refusal when there is one.
tonvale_kernel_runs_i386() {
  local probe status=0 refusal
  probe=$(mktemp "${TMPDIR:-/tmp}/tonvale-i386.XXXXXX")
  # ELF header (52 bytes), one loadable segment (32 bytes), then: xor ebx,ebx; mov bl,32;
  # mov eax,1 (exit); int 0x80.
  printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000' >"$probe"
  printf '\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000' >>"$probe"
  printf '\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000' >>"$probe"
  printf '\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010' >>"$probe"
  printf '\137\000\000\000\137\000\000\000\005\000\000\000\000\020\000\000' >>"$probe"
  printf '\061\333\263\040\270\001\000\000\000\315\200' >>"$probe"
  chmod 700 "$probe"
  refusal=$("$probe" 2>&1) || status=$?
  rm -f "$probe"
  if [ "$status" -eq 32 ]; then
    return 0
  fi
  # bash names the kernel's answer last: "...: cannot execute binary file: Exec format error".
  refusal=${refusal##*: }
  echo "${refusal:-exit code $status}"
  return 1
}

tonvale_host() {
  if [ -z "${TONVALE_WINDOWS_BUILD:-}" ]; then
    local refusal
    if [ "${TONVALE_FORCE_X64:-0}" = 1 ]; then
      TONVALE_WINDOWS_BUILD=x64
      TONVALE_WINDOWS_WHY="TONVALE_FORCE_X64=1 is set"
    elif refusal=$(tonvale_kernel_runs_i386); then
      TONVALE_WINDOWS_BUILD=i686
      TONVALE_WINDOWS_WHY="this machine's kernel runs 32-bit x86 code"
    else
      TONVALE_WINDOWS_BUILD=x64
      TONVALE_WINDOWS_WHY="this machine's kernel refuses 32-bit x86 code (\"$refusal\")"
    fi
    export TONVALE_WINDOWS_BUILD TONVALE_WINDOWS_WHY
  fi
  case $TONVALE_WINDOWS_BUILD in
    i686) TONVALE_PRESET=windows TONVALE_BUILD=build ;;
    x64) TONVALE_PRESET=windows-x64 TONVALE_BUILD=build/x64 ;;
    *)
      echo "TONVALE_WINDOWS_BUILD is \"$TONVALE_WINDOWS_BUILD\"; it can be i686 or x64" >&2
      return 1
      ;;
  esac
}

# The one line a script that starts Wine prints first: which build it runs, and why.
tonvale_say_build() {
  case $TONVALE_WINDOWS_BUILD in
    i686) echo "Running the 32-bit x86 build (build/) under Wine's WoW64: $TONVALE_WINDOWS_WHY." ;;
    x64) echo "Running the x86-64 build (build/x64/) under 64-bit Wine: $TONVALE_WINDOWS_WHY." ;;
  esac
}
