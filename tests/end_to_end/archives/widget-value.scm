(list (cons 'batchBrood (make-instance 'WarmlingBatchBrood #:unhappyGraph (make-instance 'Label))))
