# Helpers shared by the shell tests of the varnel program. Source it after
# setting VARNEL; `failures` counts what fail reported.
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# run EXPECTED_STATUS ARGS...: runs varnel, keeps stdout and stderr.
run() {
  expected=$1; shift
  "$VARNEL" "$@" > out.txt 2> err.txt
  status=$?
  [ "$status" -eq "$expected" ] || fail "varnel $* exited $status, expected $expected: $(cat err.txt)"
}
expect_err() { grep -qF -- "$1" err.txt || fail "stderr lacks '$1': $(cat err.txt)"; }
expect_out() { grep -qF -- "$1" out.txt || fail "stdout lacks '$1'"; }
