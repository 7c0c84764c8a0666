#pragma once
// The host exchange unit: host drawing state, reader and output writer.
#include "exchange/ExchangeReader.h"
#include "exchange/HostState.h"
#include "exchange/OutputWriter.h"
#include "exchange/SafeFile.h"
