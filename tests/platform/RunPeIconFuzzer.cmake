# Runs the icon reader's fuzzer for a bounded number of inputs from a fresh seed corpus.
# Arguments: FUZZER, SEEDER (writes the seeds), WORK (a folder of its own), RUNS.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/seeds ${WORK}/corpus)
execute_process(COMMAND ${SEEDER} ${WORK}/seeds RESULT_VARIABLE seeded)
if(NOT seeded EQUAL 0)
    message(FATAL_ERROR "writing the seed corpus failed: ${seeded}")
endif()
execute_process(
    COMMAND ${FUZZER} -runs=${RUNS} -seed=1 -max_len=8192 -timeout=10
            -artifact_prefix=${WORK}/ ${WORK}/corpus ${WORK}/seeds
    RESULT_VARIABLE fuzzed)
if(NOT fuzzed EQUAL 0)
    message(FATAL_ERROR "the fuzzer found a fault (${fuzzed}); the input is in ${WORK}")
endif()
