(list (cons 'batchBrood (make-instance 'WarmlingBatchBrood #:loggingFrequency one)))
