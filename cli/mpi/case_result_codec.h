#pragma once
// A case's result as bytes, for sending it from the rank that ran it to rank 0.

#include <cstdint>
#include <string>
#include <vector>

#include "outside/senkin/ignition_run.h"

namespace vantor::mpi {

std::vector<char> EncodeCaseResult(size_t index, const senkin::CaseResult& result);
// Fills the result fields a rank computes (the case itself stays as planned); false on bytes that
// do not decode.
bool DecodeCaseResult(const std::vector<char>& bytes, size_t& index, senkin::CaseResult& result);

// A rank's closing report: its status (0 or SENKIN's code), threads and message.
std::vector<char> EncodeRankReport(int32_t status, int32_t threads, const std::string& message);
bool DecodeRankReport(const std::vector<char>& bytes, int32_t& status, int32_t& threads, std::string& message);

}  // namespace vantor::mpi
