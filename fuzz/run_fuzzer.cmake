# Runs one fuzzer for SECONDS on a working copy of its seed corpus; fails on any finding.
file(MAKE_DIRECTORY ${WORK})
file(GLOB seeds ${SEEDS}/*)
file(COPY ${seeds} DESTINATION ${WORK})
execute_process(
  COMMAND ${FUZZER} -max_total_time=${SECONDS} -timeout=10 -rss_limit_mb=2048 -max_len=65536
          -close_fd_mask=1 -print_final_stats=1 ${WORK}
  WORKING_DIRECTORY ${WORK}/..
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${FUZZER} found a fault (status ${status}); the input is in ${WORK}/..")
endif()
